// The printed sheet on a recording canvas: its jobs, the values of part A, the criteria rows of
// part B, the month, the manager's note, the level blocks and the grade word of part D.
#include "SheetPrint.h"
#include "PageDrawing.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::print;
using taviro::test::RecordingCanvas;

namespace {

RecordingCanvas printed(const LoadedLines& record, int parts)
{
    RecordingCanvas canvas;
    printSheet(canvas, record, parts);
    return canvas;
}

// The record lines of that many chosen criteria, "K1" …, and an additional one.
LoadedLines chosenCriteria(int count)
{
    LoadedLines record;
    for (int n = 1; n <= 11; ++n)
        record.push_back("SECTIONBCRITERION" + std::to_string(n) + "=" + (n <= count ? "K" + std::to_string(n) : ""));
    record.push_back("SECTIONBCRITERIONNAME=Obsługa kasy");
    return record;
}

int rowTop(int row)
{
    return 1700 + 250 * (row - 1);
}

} // namespace

TEST(SheetPrint, EachChosenPartIsAJobOfItsOwnInTheOrderAToE)
{
    // No record at all: the fixed texts print, every value is empty.
    const RecordingCanvas canvas = printed({}, kPartD | kPartB);
    EXPECT_EQ(canvas.jobTitles(), (QStringList{"Wydruk części B ...", "Wydruk części D ..."}));
    EXPECT_TRUE(canvas.findText(0, QStringLiteral("Część B")));
    EXPECT_TRUE(canvas.findText(1, QStringLiteral("Część D")));
    EXPECT_TRUE(canvas.findText(1, QStringLiteral("ARKUSZ OCENY OKRESOWEJ PRACOWNIKA SAMORZĄDOWEGO")));
    EXPECT_EQ(printed({}, kAllParts).jobTitles().size(), 5);
}

TEST(SheetPrint, PartAPrintsEachValueBesideItsLabelAndTheDateInTheFooter)
{
    RecordingCanvas canvas =
        printed({"SECTIONANAME=Małgorzata", "SECTIONAPOSITION=Inspektor", "SECTIONADATE=05-03-2026"}, kPartA);
    PageDrawing units(canvas);
    const auto* name = canvas.findText(0, QStringLiteral("Małgorzata"));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->rect.left, units.px(1000));
    EXPECT_EQ(name->rect.top, units.py(2000));
    EXPECT_EQ(name->font.style, FontStyle::Bold);
    EXPECT_EQ(canvas.findText(0, QStringLiteral("Inspektor"))->rect.left, units.px(1550));
    EXPECT_EQ(
        canvas.findText(0, QStringLiteral("05-03-2026"))->rect,
        (PixelRect{units.px(3500), units.py(9000), units.px(3500) + units.px(3000), units.py(9000) + units.py(150)}));
}

TEST(SheetPrint, TheAdditionalCriterionTakesTheFirstRowWithoutAChosenOne)
{
    RecordingCanvas canvas = printed(chosenCriteria(3), kPartB);
    PageDrawing units(canvas);
    const QStringList texts = canvas.texts(0);
    for (const char* number : {"1.", "2.", "3.", "4."})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(number))) << number;
    EXPECT_FALSE(texts.contains(QStringLiteral("5.")));
    EXPECT_EQ(canvas.findText(0, QStringLiteral("K3"))->rect.top, units.py(rowTop(3) + 25));
    EXPECT_EQ(canvas.findText(0, QStringLiteral("Obsługa kasy"))->rect.top, units.py(rowTop(4) + 25));
    EXPECT_EQ(canvas.findText(0, QStringLiteral("4."))->rect.left, units.px(550));
}

TEST(SheetPrint, ElevenChosenCriteriaPutTheAdditionalOneInRowTwelve)
{
    RecordingCanvas canvas = printed(chosenCriteria(11), kPartB);
    PageDrawing units(canvas);
    EXPECT_TRUE(canvas.findText(0, QStringLiteral("12.")));
    EXPECT_EQ(canvas.findText(0, QStringLiteral("Obsługa kasy"))->rect.top, units.py(rowTop(12) + 25));
}

TEST(SheetPrint, TheMonthOfTheWrittenAppraisalIsNamedInTheLocative)
{
    const auto monthLine = [](const std::string& month) {
        RecordingCanvas canvas = printed({"SECTIONBGRADEMONATH=" + month, "SECTIONBGRADEYEAR=2026"}, kPartB);
        PageDrawing units(canvas);
        const auto* line = canvas.textAt(0, {units.px(3900), units.py(5200)});
        return line ? line->text : QStringLiteral("(none)");
    };
    EXPECT_EQ(monthLine("0"), QStringLiteral("Styczniu 2026"));
    EXPECT_EQ(monthLine("11"), QStringLiteral("Grudniu 2026"));
    EXPECT_EQ(monthLine("listopad"), QStringLiteral(" 2026"));
    EXPECT_EQ(monthInLocative(QStringLiteral("12")), QString());
}

TEST(SheetPrint, TheManagersNotePrintsNoMoreThanThreeLines)
{
    const QStringList texts = printed({"SECTIONBBOSSNOTE=a\r\nb\r\nc\r\nd\r\ne"}, kPartB).texts(0);
    EXPECT_TRUE(texts.contains(QStringLiteral("c")));
    EXPECT_FALSE(texts.contains(QStringLiteral("d")));
}

TEST(SheetPrint, TheOverallLevelMarksItsBlockAndGivesTheGradeWord)
{
    RecordingCanvas good = printed({"SECTIONDGRADE=3"}, kPartD);
    PageDrawing units(good);
    const auto* cross = good.findText(0, QStringLiteral("X"));
    ASSERT_TRUE(cross);
    EXPECT_EQ(cross->rect.top, units.py(3800 + 50)) << "the block of \"dobrym\"";
    EXPECT_EQ(cross->rect.left, units.px(2550));
    EXPECT_TRUE(good.findText(0, QStringLiteral("Pozytywną")));

    EXPECT_TRUE(printed({"SECTIONDGRADE=1"}, kPartD).findText(0, QStringLiteral("Negatywną")));

    const QStringList none = printed({"SECTIONDPERSON=Jan Kowalski"}, kPartD).texts(0);
    EXPECT_FALSE(none.contains(QStringLiteral("X")));
    EXPECT_FALSE(none.contains(QStringLiteral("Pozytywną")));
    EXPECT_FALSE(none.contains(QStringLiteral("Negatywną")));
}
