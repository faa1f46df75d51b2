// What the entry fields let through: only text that a single line of a Windows-1250 data file
// can hold.
#include "Cp1250Validator.h"
#include "RecordFieldValidator.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using taviro::ui::Cp1250Validator;

TEST(EntryValidation, RefusesWhatWindows1250CannotHold)
{
    Cp1250Validator validator;
    auto check = [&](QString text) {
        int position = 0;
        return validator.validate(text, position);
    };
    EXPECT_EQ(check(QStringLiteral("☎")), QValidator::Invalid);
    EXPECT_EQ(check(QStringLiteral("Tel. ☎ 123")), QValidator::Invalid);
    EXPECT_EQ(check(QStringLiteral("Żółć")), QValidator::Acceptable);
    EXPECT_EQ(check(QStringLiteral("Zażółć gęślą jaźń – „cytat” € §")), QValidator::Acceptable);
    EXPECT_EQ(check(QString()), QValidator::Acceptable);
    EXPECT_EQ(check(QStringLiteral("Ωmega")), QValidator::Invalid);
    EXPECT_EQ(check(QString(QChar(0xD83D))), QValidator::Invalid) << "half of a surrogate pair";
    // A line break would split the record line that the value is stored in.
    EXPECT_EQ(check(QStringLiteral("Wydział\nFinansów")), QValidator::Invalid);
    EXPECT_EQ(check(QStringLiteral("Wydział\r")), QValidator::Invalid);
}

TEST(EntryValidation, PastedTextWithAForeignCharacterIsRefusedWhole)
{
    QLineEdit edit;
    edit.setValidator(new Cp1250Validator(&edit));
    edit.setText(QStringLiteral("Kowalski"));
    edit.setCursorPosition(edit.text().size());
    edit.insert(QStringLiteral(" ☎ 22"));
    EXPECT_EQ(edit.text(), QStringLiteral("Kowalski"));
    edit.insert(QStringLiteral("-Nowak"));
    EXPECT_EQ(edit.text(), QStringLiteral("Kowalski-Nowak"));
}

TEST(RecordFieldValidation, RefusesTheLineBreakMarksOfTheRecordFiles)
{
    taviro::ui::RecordFieldValidator validator;
    for (const QString& text : {QStringLiteral("Referat #2"), QStringLiteral("100$"), QStringLiteral("Łódź ☎")}) {
        QString input = text;
        int position = 0;
        EXPECT_EQ(validator.validate(input, position), QValidator::Invalid) << text.toStdString();
    }
    QString good = QStringLiteral("Wydział Spraw Obywatelskich – Łódź");
    int position = 0;
    EXPECT_EQ(validator.validate(good, position), QValidator::Acceptable);
}
