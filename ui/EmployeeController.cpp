#include "EmployeeController.h"

#include "MessageDialogs.h"
#include "NavigationPanel.h"
#include "TaviroMainCode.h"
#include "pages/PersonPage.h"
#include "pages/RegisterFields.h"

#include "HelpText.h"
#include "Register.h"
#include "TextCodec.h"

namespace taviro::ui {
namespace {

constexpr int kIdRole = Qt::UserRole; // the tree keeps each node's identifier here

QString nodeText(const Employee& employee)
{
    return QString::fromStdString(employee.firstName + " " + employee.surname);
}

} // namespace

EmployeeController::EmployeeController(TTaviroMainForm& window) : m_window(window)
{
    m_page = new PersonPage;
    m_window.installPage(TTaviroMainForm::PersonPage, m_page);
    QObject::connect(m_page->okButton(), &QPushButton::clicked, m_page, [this] { save(); });
    QObject::connect(m_page->cancelButton(), &QPushButton::clicked, m_page, [this] { leavePage(); });
    QObject::connect(m_page->helpButton(), &QPushButton::clicked, m_page, [this] { m_window.showHelpDialog(false); });
}

QString EmployeeController::title(PageMode mode)
{
    switch (mode) {
    case PageMode::New:
        return QStringLiteral("Nowy pracownik");
    case PageMode::Correct:
        return QStringLiteral("Poprawianie danych pracownika");
    case PageMode::View:
        return QStringLiteral("Podgląd danych pracownika");
    case PageMode::None:
        break;
    }
    return {};
}

QString EmployeeController::deleteQuestionText()
{
    return QStringLiteral(
        "UWAGA! Usunięcie pracownika usunie również wszystkie przynależne do niego oceny. Czy jesteś pewien?");
}

bool EmployeeController::handles(Command command) const
{
    return command == Command::NewEmployee || command == Command::ViewEmployee || command == Command::CorrectEmployee ||
           command == Command::DeleteEmployee;
}

void EmployeeController::run(Command command)
{
    switch (command) {
    case Command::NewEmployee:
        open(PageMode::New);
        return;
    case Command::ViewEmployee:
        open(PageMode::View);
        return;
    case Command::CorrectEmployee:
        open(PageMode::Correct);
        return;
    case Command::DeleteEmployee:
        remove();
        return;
    default:
        return;
    }
}

void EmployeeController::open(PageMode mode)
{
    const NavigationPanel* navigation = m_window.navigation();
    const auto unitId = navigation->selectedUnitId();
    const auto employeeId = navigation->selectedEmployeeId();
    if (!unitId || (mode != PageMode::New && !employeeId))
        return;
    m_window.lockCommands();
    m_page->prepare(mode, title(mode));
    HelpText::load(m_window.dataDirectory(), QStringLiteral("Person.hlp"), *m_page->hintText());
    if (mode != PageMode::New) {
        // A read error propagates before the page is shown: the main window reports it and,
        // with the start page still in front, unlocks the commands.
        EmployeeRegister employees(m_window.records());
        if (const auto employee = employees.read(identifierText(*unitId), identifierText(*employeeId)))
            m_page->showEmployee(*employee);
    }
    m_window.sessionState().pageMode = mode;
    m_window.showPage(TTaviroMainForm::PersonPage);
    m_page->updateSaveButton();
    m_page->edit(1)->setFocus();
}

void EmployeeController::save()
{
    const PageMode mode = m_window.sessionState().pageMode;
    if (mode == PageMode::View) {
        leavePage();
        return;
    }
    NavigationPanel* navigation = m_window.navigation();
    QTreeWidget* tree = navigation->tree();
    const auto unitId = navigation->selectedUnitId();
    if (!unitId)
        return;
    Employee employee = m_page->enteredEmployee();
    try {
        EmployeeRegister employees(m_window.records());
        if (mode == PageMode::New) {
            const std::string id = employees.add(identifierText(*unitId), employee);
            auto* node = new QTreeWidgetItem(tree);
            node->setText(0, nodeText(employee));
            node->setData(0, kIdRole, static_cast<int>(parseInteger(id).value_or(0)));
            tree->setCurrentItem(node);
        } else {
            const auto employeeId = navigation->selectedEmployeeId();
            if (!employeeId)
                return;
            employee.id = identifierText(*employeeId);
            employees.correct(identifierText(*unitId), employee);
            QTreeWidgetItem* node = tree->currentItem();
            if (node && node->parent())
                node = node->parent();
            if (node)
                node->setText(0, nodeText(employee));
        }
    } catch (const std::exception& error) {
        // The page stays open with what the user typed, so the save can be tried again.
        m_window.environment().dialogs.showInformation(fileErrorText(error));
        return;
    }
    leavePage();
}

void EmployeeController::leavePage()
{
    m_window.returnToStartPage();
    m_window.navigation()->tree()->setFocus();
}

void EmployeeController::remove()
{
    NavigationPanel* navigation = m_window.navigation();
    const auto unitId = navigation->selectedUnitId();
    const auto employeeId = navigation->selectedEmployeeId();
    if (!unitId || !employeeId)
        return;
    m_window.lockCommands();
    if (!m_window.environment().dialogs.askQuestion(deleteQuestionText())) {
        m_window.unlockCommands();
        return;
    }
    // An error here propagates: the main window reports it and unlocks; nothing was changed.
    EmployeeRegister(m_window.records()).remove(identifierText(*unitId), identifierText(*employeeId));
    navigation->fillTree(m_window.records());
    m_window.unlockCommands();
    navigation->unitList()->setFocus();
}

} // namespace taviro::ui
