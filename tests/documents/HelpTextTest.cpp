// Help texts in the hint boxes: RTF shows formatted, anything else as Windows-1250 plain text,
// and a missing or unreadable file leaves the box empty.
#include "HelpText.h"
#include "RtfTestSupport.h"
#include "TestSupport.h"

#include <QTextEdit>

#include <gtest/gtest.h>

#include <filesystem>

using namespace taviro;
using namespace taviro::test;

TEST(HelpText, PlainTextIsDecodedFromWindows1250)
{
    TemporaryDataDirectory data;
    data.write("Cell.hlp", utf8ToCp1250("Zażółć gęślą jaźń\r\nDruga linia {\\b nie RTF}\r\n"));
    QTextEdit box;
    HelpText::load(data.directory(), "Cell.hlp", box);
    EXPECT_EQ(box.toPlainText(), QString::fromUtf8("Zażółć gęślą jaźń\nDruga linia {\\b nie RTF}\n"));
    EXPECT_EQ(box.document()->blockCount(), 3) << "CR LF makes one line break, not two";
}

TEST(HelpText, RtfIsShownFormatted)
{
    TemporaryDataDirectory data;
    data.write("Person.hlp", "{\\rtf1\\ansi\\ansicpg1250 Wpisz {\\b nazwisko} pracownika\\'b9\\par Dalej}");
    QTextEdit box;
    HelpText::load(data.directory(), "Person.hlp", box);
    EXPECT_EQ(box.toPlainText(), QString::fromUtf8("Wpisz nazwisko pracownikaą\nDalej"));
    EXPECT_TRUE(runWith(*box.document(), "nazwisko").bold());
    EXPECT_FALSE(runWith(*box.document(), "pracownika").bold());
}

TEST(HelpText, ReplacingRtfByPlainTextShowsItPlain)
{
    TemporaryDataDirectory data;
    data.write("Start.hlp", "{\\rtf1\\b\\i\\fs48 Pogrubiony}");
    QTextEdit box;
    HelpText::load(data.directory(), "Start.hlp", box);
    ASSERT_TRUE(runWith(*box.document(), "Pogrubiony").bold());

    data.write("Start.hlp", "Zwykly tekst");
    HelpText::load(data.directory(), "Start.hlp", box);
    EXPECT_EQ(box.toPlainText(), "Zwykly tekst");
    const TextRun run = runWith(*box.document(), "Zwykly");
    EXPECT_FALSE(run.bold()) << "no formatting is left over from the previous text";
    EXPECT_FALSE(run.format.fontItalic());
    EXPECT_FALSE(run.format.hasProperty(QTextFormat::FontPointSize));
}

TEST(HelpText, MissingOrUnreadableFileEmptiesTheBox)
{
    TemporaryDataDirectory data;
    QTextEdit box;
    box.setPlainText("poprzednia podpowiedź");
    HelpText::load(data.directory(), "GradeD.hlp", box);
    EXPECT_TRUE(box.toPlainText().isEmpty());

    std::filesystem::create_directory(data.file("GradeE.hlp"));
    box.setPlainText("poprzednia podpowiedź");
    HelpText::load(data.directory(), "GradeE.hlp", box);
    EXPECT_TRUE(box.toPlainText().isEmpty()) << "a folder under the name of a help text";
}

TEST(HelpText, AnEmptyFileGivesAnEmptyBox)
{
    TemporaryDataDirectory data;
    data.write("GradeB.hlp", "");
    QTextEdit box;
    box.setPlainText("stara");
    HelpText::load(data.directory(), "GradeB.hlp", box);
    EXPECT_TRUE(box.toPlainText().isEmpty());
}
