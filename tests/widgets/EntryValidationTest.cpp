// What the entry controls let through: only text that a Windows-1250 data file can hold, and in the
// fields of the record files no "#" or "$", which those files keep for line breaks.
#include "EntryControls.h"
#include "StorableText.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

using namespace taviro::widgets;

namespace {

QValidator::State check(StorableRule rule, QString text)
{
    StorableTextValidator validator(rule);
    int position = 0;
    return validator.validate(text, position);
}

} // namespace

TEST(EntryValidation, RefusesWhatWindows1250CannotHold)
{
    for (const StorableRule rule : {kRecordLine, kAccountLine}) {
        EXPECT_EQ(check(rule, QStringLiteral("Tel. ☎ 123")), QValidator::Invalid);
        EXPECT_EQ(check(rule, QStringLiteral("Zażółć gęślą jaźń – „cytat” € §")), QValidator::Acceptable);
        EXPECT_EQ(check(rule, QString()), QValidator::Acceptable);
        EXPECT_EQ(check(rule, QStringLiteral("Ωmega")), QValidator::Invalid);
        EXPECT_EQ(check(rule, QString(QChar(0xD83D))), QValidator::Invalid) << "half of a surrogate pair";
        // A line break would split the record line that the value is stored in.
        EXPECT_EQ(check(rule, QStringLiteral("Wydział\nFinansów")), QValidator::Invalid);
        EXPECT_EQ(check(rule, QStringLiteral("Wydział\r")), QValidator::Invalid);
    }
}

TEST(EntryValidation, TheLineBreakMarksAreRefusedOnlyWhereTheFileUsesThem)
{
    for (const QString& text : {QStringLiteral("Referat #2"), QStringLiteral("100$")}) {
        EXPECT_EQ(check(kRecordLine, text), QValidator::Invalid) << text.toStdString();
        EXPECT_EQ(check(kAccountLine, text), QValidator::Acceptable) << text.toStdString();
    }
    EXPECT_EQ(storablePart(QStringLiteral("a#b$c\r\nd☎"), kRecordMemo), QStringLiteral("abc\r\nd"));
}

TEST(EntryValidation, AStoredValueKeepsItsMarksButGetsNoNewOnes)
{
    TaviroLineEdit edit(QStringLiteral("TestEdit"), nullptr);
    edit.setStoredText(QStringLiteral("Kadry #1"));
    EXPECT_EQ(edit.text(), QStringLiteral("Kadry #1"));
    edit.end(false);
    edit.insert(QStringLiteral(" A"));
    EXPECT_EQ(edit.text(), QStringLiteral("Kadry #1 A")) << "the field stays editable around the mark";
    edit.insert(QStringLiteral("#"));
    EXPECT_EQ(edit.text(), QStringLiteral("Kadry #1 A"));
    // A paste with a foreign character is refused whole.
    edit.insert(QStringLiteral(" ☎ 22"));
    EXPECT_EQ(edit.text(), QStringLiteral("Kadry #1 A"));
}
