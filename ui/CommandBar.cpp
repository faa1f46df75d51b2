#include "CommandBar.h"

#include "IconFactory.h"

#include "TaviroStyle.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace taviro::ui {
namespace {

constexpr int kToolBarHeight = 46;
const QSize kToolButtonSize(40, 38);

// "Short|Long": the short part is the tooltip, the long one goes to the status bar.
QString shortHint(const QString& hint)
{
    return hint.section(QLatin1Char('|'), 0, 0);
}
QString longHint(const QString& hint)
{
    return hint.contains(QLatin1Char('|')) ? hint.section('|', 1) : hint;
}

} // namespace

CommandBar::CommandBar(QMainWindow* window) : QObject(window), m_window(window)
{
    for (const CommandInfo& info : commandTable())
        makeAction(info, QString::fromUtf8(info.menuText), QString::fromUtf8(info.objectName));

    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("TaviroMainMenu"));
    // Alt enters the menu bar; a disabled item can be pointed at and shows its hint.
    bar->setStyle(widgets::taviroStyle());
    using C = Command;
    bar->addMenu(makeSubMenu(QStringLiteral("Program"), QStringLiteral("TaviroProgramMenuItem"),
                             QStringLiteral("Umożliwia administrowanie programem"), {C::Administration, C::Exit},
                             Needs::Nothing));
    bar->addMenu(makeSubMenu(QStringLiteral("Komórki"), QStringLiteral("TaviroCellMenuItem"),
                             QStringLiteral("Umożliwia tworzenie, poprawianie danych i usuwanie komórek "
                                            "organizacyjnych w jednostce samorządu terytorialnego"),
                             {C::NewUnit, C::ViewUnit, C::CorrectUnit, C::DeleteUnit}, Needs::Nothing));
    bar->addMenu(makeSubMenu(QStringLiteral("Pracownicy"), QStringLiteral("TaviroPersonMenuItem"),
                             QStringLiteral("Umożliwia tworzenie, drukowanie formularzy, poprawianie danych oraz "
                                            "usuwanie pracowników przynależnych do komórki organizacyjnej"),
                             {C::NewEmployee, C::ViewEmployee, C::CorrectEmployee, C::MoveEmployee, C::DeleteEmployee},
                             Needs::Unit));
    bar->addMenu(makeSubMenu(QStringLiteral("Oceny"), QStringLiteral("TaviroGradeMenuItem"),
                             QStringLiteral("Umożliwia tworzenie, wydruk, poprawianie danych i usuwanie okresowych "
                                            "ocen kwalifikacyjnych pracowników"),
                             {C::NewAppraisal, C::NewAppraisalFrom, C::ViewAppraisal, C::PrintAppraisal,
                              C::ContinueAppraisal, C::DeleteAppraisal, C::Deadlines},
                             // Open with anything selected: the deadlines are every employee's.
                             Needs::Nothing));
    bar->addMenu(makeSubMenu(QStringLiteral("Dokumenty"), QStringLiteral("TaviroDocumentMenuItem"),
                             QStringLiteral("Zawiera pomocnicze dokumenty potrzebne do tworzenia okresowych ocen "
                                            "kwalifikacyjnych"),
                             {C::Regulations, C::Statute}, Needs::Nothing));
    bar->addMenu(makeSubMenu(QStringLiteral("Pomoc"), QStringLiteral("TaviroHelpMenuItem"),
                             QStringLiteral("Pomoc do programu, kontak z producentem oraz informacje o programie"),
                             {C::Help, C::WebPage, C::Mail, C::About}, Needs::Nothing));

    m_unitPopup = makePopup(QStringLiteral("TaviroCellPopupMenu"),
                            {C::NewUnit, C::ViewUnit, C::CorrectUnit, C::DeleteUnit}, QStringLiteral("Popup"));
    m_employeePopup =
        makePopup(QStringLiteral("TaviroPersonPopupMenu"),
                  {C::NewEmployee, C::ViewEmployee, C::CorrectEmployee, C::MoveEmployee, C::DeleteEmployee},
                  QStringLiteral("Popup"));
    m_appraisalPopup = makePopup(QStringLiteral("TaviroGradePopupMenu"),
                                 {C::NewAppraisal, C::NewAppraisalFrom, C::ViewAppraisal, C::PrintAppraisal,
                                  C::ContinueAppraisal, C::DeleteAppraisal},
                                 QStringLiteral("Popup"), {C::Deadlines});
    m_treePopup = makePopup(QStringLiteral("TaviroTreePopupMenu"),
                            {C::NewEmployee, C::ViewEmployee, C::CorrectEmployee, C::MoveEmployee, C::DeleteEmployee},
                            QStringLiteral("Popup2"),
                            {C::NewAppraisal, C::NewAppraisalFrom, C::ViewAppraisal, C::PrintAppraisal,
                             C::ContinueAppraisal, C::DeleteAppraisal, C::Deadlines});
    m_documentsPopup =
        makePopup(QStringLiteral("TaviroDocumentPopupMenu"), {C::Regulations, C::Statute}, QStringLiteral("Popup"));
    makeToolBar(window);
}

QAction* CommandBar::makeAction(const CommandInfo& info, const QString& text, const QString& objectName)
{
    auto* action = new QAction(commandIcon(info.icon), text, m_window);
    action->setObjectName(objectName);
    action->setStatusTip(QString::fromUtf8(info.hint));
    action->setToolTip(QString::fromUtf8(info.hint));
    action->setIconVisibleInMenu(true);
    const Command command = info.command;
    connect(action, &QAction::triggered, this, [this, command] { emit triggered(command); });
    m_copies[command].push_back(action);
    return action;
}

QMenu* CommandBar::makeSubMenu(const QString& title, const QString& objectName, const QString& hint,
                               std::initializer_list<Command> items, Needs needs)
{
    auto* menu = new QMenu(title, m_window);
    menu->setObjectName(objectName);
    menu->setStyle(widgets::taviroStyle());
    menu->menuAction()->setStatusTip(hint);
    menu->setToolTipsVisible(false);
    for (const Command command : items) {
        // Separators as in the menu layout: after "Administrator", before the web page, before "O programie".
        // The deadlines stand apart from the commands on one appraisal.
        if (command == Command::Exit || command == Command::WebPage || command == Command::About ||
            command == Command::Deadlines)
            menu->addSeparator();
        menu->addAction(menuItem(command));
    }
    m_subMenus.push_back(menu);
    m_subMenuNeeds[menu] = needs;
    return menu;
}

QMenu* CommandBar::makePopup(const QString& objectName, std::initializer_list<Command> items, const QString& suffix,
                             std::initializer_list<Command> moreItems)
{
    auto* menu = new QMenu(m_window);
    menu->setObjectName(objectName);
    menu->setStyle(widgets::taviroStyle());
    const auto addCopies = [&](std::initializer_list<Command> commands) {
        for (const Command command : commands) {
            const CommandInfo& info = commandInfo(command);
            menu->addAction(
                makeAction(info, QString::fromUtf8(info.popupText), QString::fromUtf8(info.objectName) + suffix));
        }
    };
    addCopies(items);
    if (moreItems.size() > 0) {
        menu->addSeparator();
        addCopies(moreItems);
    }
    return menu;
}

QToolButton* CommandBar::addToolButton(const QString& objectName, IconKind icon, const QString& hint, Command click,
                                       QMenu* dropDown, Needs needs)
{
    auto* button = new QToolButton(m_toolBar);
    button->setObjectName(objectName);
    button->setIcon(commandIcon(icon));
    button->setIconSize(QSize(28, 28));
    button->setFixedSize(dropDown ? QSize(kToolButtonSize.width() + 12, kToolButtonSize.height()) : kToolButtonSize);
    button->setAutoRaise(true);
    // As on Windows, Tab passes the toolbar by: every button is a menu item too (F10, Alt).
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(shortHint(hint));
    button->setStatusTip(longHint(hint));
    if (dropDown) {
        button->setMenu(dropDown);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    connect(button, &QToolButton::clicked, this, [this, click] { emit triggered(click); });
    m_toolBar->addWidget(button);
    m_toolButtons[button] = needs;
    return button;
}

void CommandBar::makeToolBar(QMainWindow* window)
{
    m_toolBar = new QToolBar(window);
    m_toolBar->setObjectName(QStringLiteral("TaviroToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setFixedHeight(kToolBarHeight);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    window->addToolBar(Qt::TopToolBarArea, m_toolBar);
    using C = Command;
    addToolButton(QStringLiteral("TaviroExitToolButton"), IconKind::Exit,
                  QStringLiteral("Zakończ|Kończy działanie programu"), C::Exit, nullptr, Needs::Nothing);
    m_toolBar->addSeparator();
    addToolButton(QStringLiteral("TaviroCellSubMenuToolButton"), IconKind::Units,
                  QStringLiteral("Komórki organizacyjne|Umożliwia tworzenie, poprawianie danych i usuwanie komórek "
                                 "organizacyjnych w jednostce samorządu terytorialnego"),
                  C::NewUnit, m_unitPopup, Needs::Nothing);
    m_toolBar->addSeparator();
    addToolButton(QStringLiteral("TaviroPersonSubMenuToolButton"), IconKind::Employees,
                  QStringLiteral("Pracownicy|Umożliwia tworzenie, drukowanie formularzy, poprawianie danych oraz "
                                 "usuwanie pracowników przynależnych do komórki organizacyjnej"),
                  C::NewEmployee, m_employeePopup, Needs::Unit);
    m_toolBar->addSeparator();
    addToolButton(QStringLiteral("TaviroGradeSubMenuToolButton"), IconKind::Appraisals,
                  QStringLiteral("Oceny|Umożliwia tworzenie, wydruk, poprawianie danych i usuwanie okresowych ocen "
                                 "kwalifikacyjnych pracowników"),
                  C::NewAppraisal, m_appraisalPopup, Needs::EmployeeOrAppraisalNode);
    m_toolBar->addSeparator();
    addToolButton(QStringLiteral("TaviroDocumentSubMenuToolButton"), IconKind::Document,
                  QStringLiteral("Dokumenty|Zawiera pomocnicze dokumenty potrzebne do tworzenia okresowych ocen "
                                 "kwalifikacyjnych"),
                  C::Regulations, m_documentsPopup, Needs::Nothing);
    m_toolBar->addSeparator();
    addToolButton(QStringLiteral("TaviroHelpToolButton"), IconKind::Help, QStringLiteral("Pomoc|Pomoc do programu"),
                  C::Help, nullptr, Needs::Nothing);
    m_toolBar->addSeparator();
    addToolButton(QStringLiteral("TaviroInternetToolButton"), IconKind::Internet,
                  QStringLiteral("Internet|Wywołuje przeglądarke internetowa i przenosi na strone producenta programu"),
                  C::WebPage, nullptr, Needs::Nothing);
    addToolButton(QStringLiteral("TaviroMailToolButton"), IconKind::Mail,
                  QStringLiteral("Poczta|Uruchamia domyślny program pocztowy wraz z rozpoczęta wiadomościa do "
                                 "producenta programu"),
                  C::Mail, nullptr, Needs::Nothing);
    m_toolBar->addSeparator();
    addToolButton(QStringLiteral("TaviroAboutToolButton"), IconKind::About, QStringLiteral("O programie"), C::About,
                  nullptr, Needs::Nothing);
}

QAction* CommandBar::menuItem(Command command) const
{
    return m_copies.at(command).front();
}

const std::vector<QAction*>& CommandBar::copies(Command command) const
{
    return m_copies.at(command);
}

QToolButton* CommandBar::toolButton(const QString& objectName) const
{
    return m_toolBar->findChild<QToolButton*>(objectName);
}

void CommandBar::updateStates(const Selection& selection)
{
    if (m_locked)
        return;
    for (const CommandInfo& info : commandTable()) {
        for (QAction* action : m_copies[info.command])
            action->setEnabled(isSatisfied(info.needs, selection));
    }
    for (const auto& [menu, needs] : m_subMenuNeeds)
        menu->menuAction()->setEnabled(isSatisfied(needs, selection));
    for (const auto& [button, needs] : m_toolButtons)
        button->setEnabled(isSatisfied(needs, selection));
}

void CommandBar::lock()
{
    m_locked = true;
    for (QMenu* menu : m_subMenus)
        menu->menuAction()->setEnabled(false);
    for (const auto& [button, needs] : m_toolButtons)
        button->setEnabled(false);
    // The pop-up menus open from the navigation panel, which is locked with the commands.
    for (auto& [command, actions] : m_copies) {
        for (QAction* action : actions)
            action->setEnabled(false);
    }
}

void CommandBar::unlock()
{
    m_locked = false;
    for (QMenu* menu : m_subMenus)
        menu->menuAction()->setEnabled(true);
    for (const auto& [button, needs] : m_toolButtons)
        button->setEnabled(true);
}

} // namespace taviro::ui
