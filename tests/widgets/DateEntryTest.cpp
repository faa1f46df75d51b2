// Typing a date into the date picker: from the day, digit by digit, as it is read; and which dates
// can be stored.
#include "EntryControls.h"
#include "FieldNote.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace taviro::widgets;

namespace {

// A window with a field before the picker, so that the focus can come in with Tab.
struct PickerWindow
{
    PickerWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        picker = new TaviroDatePicker(QStringLiteral("TestDatePicker"), &window);
        layout->addWidget(before);
        layout->addWidget(picker);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void tabInAndType(const QString& digits)
    {
        before->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(before, Qt::Key_Tab);
        EXPECT_TRUE(picker->hasFocus());
        for (const QChar digit : digits)
            QTest::keyClick(picker, static_cast<Qt::Key>(Qt::Key_0 + digit.digitValue()));
    }

    QWidget window;
    QLineEdit* before = nullptr;
    TaviroDatePicker* picker = nullptr;
};

} // namespace

TEST(DateEntry, EightDigitsTypedAfterTabAreTheDateAsRead)
{
    const struct
    {
        const char* shown;
        const char* typed;
        const char* stored;
    } cases[] = {
        {"15-02-2026", "05032024", "05-03-2024"}, {"08-12-0503", "05032024", "05-03-2024"},
        {"28-02-2026", "31122025", "31-12-2025"}, {"31-01-2026", "29022024", "29-02-2024"},
        {"15-06-2026", "30112023", "30-11-2023"}, {"01-01-2000", "01011999", "01-01-1999"},
    };
    for (const auto& [shown, typed, stored] : cases) {
        PickerWindow window;
        window.picker->setStoredDate(shown);
        window.tabInAndType(QString::fromLatin1(typed));
        EXPECT_EQ(window.picker->storedDate(), stored) << shown << " + " << typed;
    }
}
