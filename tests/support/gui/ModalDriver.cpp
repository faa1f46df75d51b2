#include "ModalDriver.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace taviro::test {

namespace {

void poll(std::function<void(QWidget*)> action, QDeadlineTimer deadline, QWidget* ignored)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != ignored) {
        action(modal);
        return;
    }
    if (deadline.hasExpired()) {
        ADD_FAILURE() << "no modal dialog came up";
        return;
    }
    QTimer::singleShot(
        5, [action = std::move(action), deadline, ignored]() mutable { poll(std::move(action), deadline, ignored); });
}

} // namespace

void whenModalShown(std::function<void(QWidget*)> action, int timeoutMs)
{
    // A dialog that is already open when this is called is not the one to answer.
    QWidget* current = QApplication::activeModalWidget();
    QTimer::singleShot(0, [action = std::move(action), timeoutMs, current]() mutable {
        poll(std::move(action), QDeadlineTimer(timeoutMs), current);
    });
}

void clickKey(QWidget* dialog, Qt::Key key)
{
    QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, key);
}

void clickButton(QWidget* dialog, const QString& objectName)
{
    auto* button = dialog->findChild<QPushButton*>(objectName);
    if (!button) {
        ADD_FAILURE() << "no button " << objectName.toStdString();
        dialog->close(); // so that the test does not hang in the dialog's loop
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

void typeText(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            length = 2;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

} // namespace taviro::test
