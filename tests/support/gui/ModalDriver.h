// Answers a modal dialog that the code under test opens with exec(): the action runs once the
// dialog is the active modal widget.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace taviro::test {

// Runs action(dialog) as soon as a modal widget is up; gives up after timeoutMs.
void whenModalShown(std::function<void(QWidget*)> action, int timeoutMs = 3000);

// Key press and release to the control that has the focus in the dialog (the dialog itself
// when none has).
void clickKey(QWidget* dialog, Qt::Key key);

// Clicks the push button with that objectName inside the dialog.
void clickButton(QWidget* dialog, const QString& objectName);

// Types the text into the widget one character at a time, as a keyboard would (any letters,
// not only the ones QTest::keyClicks knows).
void typeText(QWidget* widget, const QString& text);

} // namespace taviro::test
