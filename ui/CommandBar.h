// The menu bar, the toolbar and the pop-up menus of the main window, made from the command
// table; every copy of a command emits the same triggered(command).
#pragma once

#include "CommandTable.h"

#include <QObject>

#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;

namespace taviro::ui {

class CommandBar : public QObject
{
    Q_OBJECT
public:
    explicit CommandBar(QMainWindow* window);

    // The menu-bar item of a command, and every copy of it (menu item and pop-up items).
    QAction* menuItem(Command command) const;
    const std::vector<QAction*>& copies(Command command) const;
    QMenu* unitPopup() const { return m_unitPopup; }
    QMenu* treePopup() const { return m_treePopup; }
    QToolBar* toolBar() const { return m_toolBar; }
    QToolButton* toolButton(const QString& objectName) const;
    const std::vector<QMenu*>& subMenus() const { return m_subMenus; }

    // Enables every command, submenu and toolbar button by the selection.
    void updateStates(const Selection& selection);
    // Disables the submenus and every toolbar button while a page or dialog is open.
    void lock();
    // Enables them again; the caller follows it with updateStates.
    void unlock();
    bool isLocked() const { return m_locked; }

signals:
    void triggered(taviro::ui::Command command);

private:
    QAction* makeAction(const CommandInfo& info, const QString& text, const QString& objectName);
    QMenu* makeSubMenu(const QString& title, const QString& objectName, const QString& hint,
                       std::initializer_list<Command> items, Needs needs);
    QMenu* makePopup(const QString& objectName, std::initializer_list<Command> items, const QString& suffix,
                     std::initializer_list<Command> moreItems = {});
    void makeToolBar(QMainWindow* window);
    QToolButton* addToolButton(const QString& objectName, IconKind icon, const QString& hint, Command click,
                               QMenu* dropDown, Needs needs);

    QMainWindow* m_window;
    std::map<Command, std::vector<QAction*>> m_copies;
    std::vector<QMenu*> m_subMenus;
    std::map<QMenu*, Needs> m_subMenuNeeds;
    std::map<QToolButton*, Needs> m_toolButtons;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_unitPopup = nullptr;
    QMenu* m_employeePopup = nullptr;
    QMenu* m_appraisalPopup = nullptr;
    QMenu* m_treePopup = nullptr;
    QMenu* m_documentsPopup = nullptr;
    bool m_locked = false;
};

} // namespace taviro::ui
