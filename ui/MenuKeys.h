// The keyboard way into the menus, as a Windows program has it: Alt (a tap) or F10 enters the menu
// bar with its first menu highlighted (the arrows move, Down or Enter opens, Esc leaves); Alt with
// the first letter of a menu opens it (the next one with that letter when pressed again); Shift+F10
// and the Menu key open the pop-up menu of the control that has the focus. The captions carry no
// accelerator letters.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;

class QMainWindow;

namespace taviro::ui {

class MenuKeys : public QObject
{
    Q_OBJECT
public:
    explicit MenuKeys(QMainWindow& window);

    // Enters the menu bar with its first menu highlighted, or leaves it when it has the focus.
    void toggleMenuBar();
    void openMenuStartingWith(QChar letter);
    void openFocusedPopup();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The action of the menu bar's menu that is open, if one is.
    QAction* openMenuAction() const;

    QMainWindow& m_window;
    // The menu that was open when Alt went down, until Alt is let go.
    QPointer<QAction> m_menuAtAlt;
    bool m_altDown = false;
    bool m_menuBarFocusAtAlt = false;
};

} // namespace taviro::ui
