#include "UnitController.h"

#include "MessageDialogs.h"
#include "NavigationPanel.h"
#include "TaviroMainCode.h"
#include "pages/CellPage.h"
#include "pages/RegisterFields.h"

#include "HelpText.h"
#include "Register.h"
#include "TextCodec.h"

#include <algorithm>

namespace taviro::ui {
namespace {

std::string comparable(const QString& name)
{
    return polishUpper(trimmed(name.toStdString()));
}

} // namespace

UnitController::UnitController(TTaviroMainForm& window) : m_window(window)
{
    m_page = new CellPage;
    m_window.installPage(TTaviroMainForm::CellPage, m_page);
    QObject::connect(m_page->okButton(), &QPushButton::clicked, m_page, [this] { save(); });
    QObject::connect(m_page->cancelButton(), &QPushButton::clicked, m_page, [this] { leavePage(); });
    QObject::connect(m_page->helpButton(), &QPushButton::clicked, m_page, [this] { m_window.showHelpDialog(false); });
}

QString UnitController::title(PageMode mode)
{
    switch (mode) {
    case PageMode::New:
        return QStringLiteral("Nowa komórka organizacyjna");
    case PageMode::Correct:
        return QStringLiteral("Poprawianie danych komórki organizacyjnej");
    case PageMode::View:
        return QStringLiteral("Podgląd danych komórki organizacyjnej");
    case PageMode::None:
        break;
    }
    return {};
}

QString UnitController::duplicateNameText()
{
    return QStringLiteral("Komórka o podanej nazwie już istnieje.");
}

QString UnitController::deleteQuestionText()
{
    return QStringLiteral("UWAGA! Usunięcie komórki organizacyjnej usunie również wszystkich przynależnych "
                          "pracowników łącznie z ich ocenami. Czy jesteś pewien?");
}

bool UnitController::handles(Command command) const
{
    return command == Command::NewUnit || command == Command::ViewUnit || command == Command::CorrectUnit ||
           command == Command::DeleteUnit;
}

void UnitController::run(Command command)
{
    switch (command) {
    case Command::NewUnit:
        open(PageMode::New);
        return;
    case Command::ViewUnit:
        open(PageMode::View);
        return;
    case Command::CorrectUnit:
        open(PageMode::Correct);
        return;
    case Command::DeleteUnit:
        remove();
        return;
    default:
        return;
    }
}

void UnitController::open(PageMode mode)
{
    const auto unitId = m_window.navigation()->selectedUnitId();
    if (mode != PageMode::New && !unitId)
        return;
    m_window.lockCommands();
    m_page->prepare(mode, title(mode));
    HelpText::load(m_window.dataDirectory(), QStringLiteral("Cell.hlp"), *m_page->hintText());
    if (mode != PageMode::New) {
        // A read error propagates before the page is shown: the main window reports it and,
        // with the start page still in front, unlocks the commands.
        if (const auto unit = UnitRegister(m_window.records()).read(identifierText(*unitId)))
            m_page->showUnit(*unit);
    }
    m_window.sessionState().pageMode = mode;
    m_window.showPage(TTaviroMainForm::CellPage);
    m_page->updateSaveButton();
    m_page->edit(1)->setFocus();
}

bool UnitController::isListed(const QString& name, int skippedIndex) const
{
    const std::string wanted = comparable(name);
    const QComboBox* list = m_window.navigation()->unitList();
    for (int i = 0; i < list->count(); ++i) {
        if (i != skippedIndex && comparable(list->itemText(i)) == wanted)
            return true;
    }
    return false;
}

void UnitController::save()
{
    const PageMode mode = m_window.sessionState().pageMode;
    if (mode == PageMode::View) {
        leavePage();
        return;
    }
    Unit unit = m_page->enteredUnit();
    const QString name = QString::fromStdString(unit.name);
    QComboBox* list = m_window.navigation()->unitList();
    const int selected = list->currentIndex();
    if (isListed(name, mode == PageMode::Correct ? selected : -1)) {
        m_window.environment().dialogs.showInformation(duplicateNameText());
        return;
    }
    try {
        UnitRegister units(m_window.records());
        if (mode == PageMode::New) {
            const std::string id = units.add(unit);
            list->addItem(name, static_cast<int>(parseInteger(id).value_or(0)));
            list->setCurrentIndex(list->count() - 1);
            m_window.navigation()->tree()->clear(); // a new unit has no employees
        } else {
            const auto unitId = m_window.navigation()->selectedUnitId();
            if (!unitId)
                return;
            unit.id = identifierText(*unitId);
            units.correct(unit);
            list->setItemText(selected, name);
        }
    } catch (const std::exception& error) {
        // The page stays open with what the user typed, so the save can be tried again.
        m_window.environment().dialogs.showInformation(fileErrorText(error));
        return;
    }
    leavePage();
}

void UnitController::leavePage()
{
    m_window.returnToStartPage();
    m_window.navigation()->unitList()->setFocus();
}

void UnitController::remove()
{
    NavigationPanel* navigation = m_window.navigation();
    const auto unitId = navigation->selectedUnitId();
    if (!unitId)
        return;
    m_window.lockCommands();
    if (!m_window.environment().dialogs.askQuestion(deleteQuestionText())) {
        m_window.unlockCommands();
        return;
    }
    // An error here propagates: the main window reports it and unlocks; nothing was changed.
    UnitRegister(m_window.records()).remove(identifierText(*unitId));
    QComboBox* list = navigation->unitList();
    const int index = list->currentIndex();
    list->removeItem(index);
    list->setCurrentIndex(list->count() == 0 ? -1 : std::max(index - 1, 0));
    navigation->fillTree(m_window.records());
    m_window.unlockCommands();
    list->setFocus();
}

} // namespace taviro::ui
