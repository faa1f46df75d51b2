// What the entry controls let through: only text that a Windows-1250 data file can hold, and in the
// fields of the record files no "#" or "$", which those files keep for line breaks. What they leave
// out they say at the field; the rest of a paste is taken.
#include "EntryControls.h"
#include "FieldNote.h"
#include "ModalDriver.h"
#include "StorableText.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace taviro::widgets;

namespace {

// What the validator of a one-line field makes of the text.
QString taken(StorableRule rule, QString text)
{
    StorableTextValidator validator(rule);
    int position = static_cast<int>(text.size());
    EXPECT_EQ(validator.validate(text, position), QValidator::Acceptable);
    EXPECT_LE(position, text.size());
    return text;
}

} // namespace

TEST(EntryValidation, LeavesOutWhatWindows1250CannotHold)
{
    for (const StorableRule rule : {kRecordLine, kAccountLine}) {
        EXPECT_EQ(taken(rule, QStringLiteral("Tel. ☎ 123")), QStringLiteral("Tel.  123"));
        EXPECT_EQ(taken(rule, QStringLiteral("Zażółć gęślą jaźń – „cytat” € §")),
                  QStringLiteral("Zażółć gęślą jaźń – „cytat” € §"));
        EXPECT_EQ(taken(rule, QStringLiteral("Ωmega 😀!")), QStringLiteral("mega !"));
        EXPECT_EQ(taken(rule, QString(QChar(0xD83D))), QString()) << "half of a surrogate pair";
        // A line break would split the record line that the value is stored in.
        EXPECT_EQ(taken(rule, QStringLiteral("Wydział\r\nFinansów")), QStringLiteral("Wydział Finansów"));
        EXPECT_EQ(taken(rule, QStringLiteral("Wydział\n")), QStringLiteral("Wydział "));
    }
}

TEST(EntryValidation, TheLineBreakMarksAreRefusedOnlyWhereTheFileUsesThem)
{
    EXPECT_EQ(taken(kRecordLine, QStringLiteral("Referat #2, 100$")), QStringLiteral("Referat 2, 100"));
    EXPECT_EQ(taken(kAccountLine, QStringLiteral("Referat #2, 100$")), QStringLiteral("Referat #2, 100$"));
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
    edit.home(false);
    edit.insert(QStringLiteral("#"));
    EXPECT_EQ(edit.text(), QStringLiteral("Kadry #1 A")) << "the new mark goes, the stored one stays";
    edit.end(false);
    edit.insert(QStringLiteral(" ☎ 22"));
    EXPECT_EQ(edit.text(), QStringLiteral("Kadry #1 A  22"));
}

TEST(EntryValidation, TheNoteNamesTheCharactersAndWhy)
{
    EXPECT_EQ(refusalNote({QStringLiteral("Ж")}),
              "Znaku „Ж” nie można wpisać: pliki danych programu nie mogą go przechować.");
    EXPECT_EQ(refusalNote({QStringLiteral("Ж"), QStringLiteral("😀"), QStringLiteral("☎"), QStringLiteral("#"),
                           QStringLiteral("$")}),
              "Znaków „Ж”, „😀” i „☎” nie można wpisać: pliki danych programu nie mogą ich przechować. Znaków „#” "
              "i „$” nie można wpisać w tym polu: w plikach danych oznaczają one podział wiersza.");
    EXPECT_EQ(refusedCharacters(QStringLiteral("aЖ😀bЖ#"), kRecordLine),
              (QStringList{QStringLiteral("Ж"), QStringLiteral("😀"), QStringLiteral("#")}));
}

TEST(EntryValidation, ARefusedCharacterTypedIsSaidAtTheField)
{
    QWidget window;
    auto* edit = new TaviroLineEdit(QStringLiteral("TestEdit"), &window);
    auto* memo = new TaviroMemo(QStringLiteral("TestMemo"), &window);
    memo->move(0, 40);
    window.show();
    taviro::test::typeText(edit, QStringLiteral("KadryЖ"));
    EXPECT_EQ(edit->text(), QStringLiteral("Kadry"));
    EXPECT_EQ(shownFieldNote(), "Znaku „Ж” nie można wpisać: pliki danych programu nie mogą go przechować.");
    taviro::test::typeText(edit, QStringLiteral("#"));
    EXPECT_TRUE(shownFieldNote().contains(QStringLiteral("podział wiersza")));
    taviro::test::typeText(memo, QStringLiteral("a😀"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("a"));
    EXPECT_TRUE(shownFieldNote().startsWith(QStringLiteral("Znaku „😀”")));
}

TEST(EntryValidation, TheNoteStandsInTheStatusBarUntilTheFieldIsLeft)
{
    QMainWindow window;
    auto* fields = new QWidget(&window);
    auto* edit = new TaviroLineEdit(QStringLiteral("TestEdit"), fields);
    auto* next = new TaviroLineEdit(QStringLiteral("NextEdit"), fields);
    next->move(0, 40);
    window.setCentralWidget(fields);
    QStatusBar* status = window.statusBar();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    taviro::test::typeText(edit, QStringLiteral("Ж"));
    EXPECT_EQ(status->currentMessage(), shownFieldNote());
    next->setFocus();
    EXPECT_EQ(shownFieldNote(), QString());
    EXPECT_EQ(status->currentMessage(), QString());
}

TEST(EntryValidation, APasteKeepsWhatCanBeStored)
{
    QWidget window;
    auto* edit = new TaviroLineEdit(QStringLiteral("TestEdit"), &window);
    auto* memo = new TaviroMemo(QStringLiteral("TestMemo"), &window);
    window.show();
    QApplication::clipboard()->setText(QStringLiteral("Ab€Жc"));
    edit->paste();
    EXPECT_EQ(edit->text(), QStringLiteral("Ab€c"));
    EXPECT_TRUE(shownFieldNote().contains(QStringLiteral("„Ж”")));
    QApplication::clipboard()->setText(QStringLiteral("Ab€Жc\r\nd#"));
    memo->paste();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Ab€c\nd"));
    EXPECT_TRUE(shownFieldNote().contains(QStringLiteral("„#”")));
}
