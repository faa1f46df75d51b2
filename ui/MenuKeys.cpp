#include "MenuKeys.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>

#include <algorithm>

namespace taviro::ui {
namespace {

// Where a pop-up opened from the keyboard stands: below the text cursor, or in the middle.
QPoint keyboardPoint(const QWidget* widget)
{
    const QRect cursor = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (cursor.isValid() && widget->rect().contains(cursor.bottomLeft()))
        return cursor.bottomLeft();
    return widget->rect().center();
}

QChar firstLetter(const QAction* action)
{
    const QString text = action->text();
    return text.isEmpty() ? QChar() : text.at(0).toUpper();
}

} // namespace

MenuKeys::MenuKeys(QMainWindow& window) : QObject(&window), m_window(window)
{
    connect(new QShortcut(QKeySequence(Qt::Key_F10), &window), &QShortcut::activated, this, &MenuKeys::toggleMenuBar);
    qApp->installEventFilter(this);
    for (const QKeySequence& keys : {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)})
        connect(new QShortcut(keys, &window), &QShortcut::activated, this, &MenuKeys::openFocusedPopup);
    QString letters;
    for (const QAction* action : window.menuBar()->actions()) {
        const QChar letter = firstLetter(action);
        if (action->menu() && !letter.isNull() && !letters.contains(letter))
            letters += letter;
    }
    for (const QChar letter : letters) {
        auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Alt+") + letter), &window);
        connect(shortcut, &QShortcut::activated, this, [this, letter] { openMenuStartingWith(letter); });
    }
}

void MenuKeys::toggleMenuBar()
{
    QMenuBar* bar = m_window.menuBar();
    if (bar->hasFocus()) {
        // Leaving it: the focus goes back where it was.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &escape);
        return;
    }
    const QList<QAction*> actions = bar->actions();
    const auto first = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->menu() && action->isVisible() && action->isEnabled();
    });
    if (first == actions.end())
        return;
    // The menu bar keeps its keyboard mode (the menu's title highlighted, the arrows working) when
    // Esc closes one of its menus: the first menu is opened and closed again before it is painted.
    bar->setActiveAction(*first);
    QMenu* menu = (*first)->menu();
    if (menu->isVisible()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &escape);
    }
}

bool MenuKeys::eventFilter(QObject* watched, QEvent* event)
{
    // Alt with a letter pressed again while a menu of the bar is open goes on to the next menu with
    // that letter. The press of Alt makes the bar let go of its open menu before the letter comes,
    // so the menu open at that press is kept until Alt is let go.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt && !key->isAutoRepeat())
            m_menuAtAlt = event->type() == QEvent::KeyPress ? openMenuAction() : nullptr;
    }
    // A tap of Alt alone, in this window: pressed and released with nothing else in between. Where
    // the platform's menu bar does this itself (its focus changed by the release), it is left to it.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        m_altDown = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
        m_menuBarFocusAtAlt = m_window.menuBar()->hasFocus();
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt && m_altDown && !key->isAutoRepeat()) {
            m_altDown = false;
            if (m_window.menuBar()->hasFocus() == m_menuBarFocusAtAlt)
                toggleMenuBar();
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::FocusOut:
        m_altDown = false;
        break;
    default:
        break;
    }
    return false;
}

void MenuKeys::openMenuStartingWith(QChar letter)
{
    QMenuBar* bar = m_window.menuBar();
    QList<QAction*> candidates;
    for (QAction* action : bar->actions()) {
        if (action->menu() && action->isEnabled() && action->isVisible() && firstLetter(action) == letter)
            candidates.append(action);
    }
    if (candidates.isEmpty())
        return;
    // The menu open now counts, also when the press of Alt has already made the bar let go of it.
    const QAction* current = openMenuAction();
    if (!current)
        current = m_menuAtAlt ? m_menuAtAlt.data() : bar->activeAction();
    const auto active = std::find(candidates.begin(), candidates.end(), current);
    const bool last = active == candidates.end() || std::next(active) == candidates.end();
    QAction* chosen = last ? candidates.front() : *std::next(active);
    bar->setActiveAction(chosen);
    // Opened from the keyboard, the menu stands on its first item, so that Enter chooses it.
    QMenu* menu = chosen->menu();
    if (!menu->isVisible() || menu->activeAction())
        return;
    const QList<QAction*> items = menu->actions();
    const auto first = std::find_if(items.begin(), items.end(), [](const QAction* item) {
        return item->isVisible() && !item->isSeparator() && item->isEnabled();
    });
    if (first != items.end())
        menu->setActiveAction(*first);
}

QAction* MenuKeys::openMenuAction() const
{
    for (QAction* action : m_window.menuBar()->actions()) {
        if (action->menu() && action->menu()->isVisible())
            return action;
    }
    return nullptr;
}

void MenuKeys::openFocusedPopup()
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != &m_window)
        focus = m_window.focusWidget();
    if (!focus || !focus->isEnabled())
        return;
    const QPoint at = keyboardPoint(focus);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
    QCoreApplication::sendEvent(focus, &event);
}

} // namespace taviro::ui
