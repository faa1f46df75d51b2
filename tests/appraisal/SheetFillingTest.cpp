// How a sheet is filled when it is opened: reset, new, new from a selected appraisal, view and
// continue.
#include "SheetFilling.h"
#include "CriterionRows.h"
#include "SheetBuilders.h"

#include "RecordKeys.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

// The fields of a stored sheet as the register reads them: "ID=" first, values decoded.
Fields storedFields(const Appraisal& sheet, const std::string& id = "000009")
{
    Fields fields = {{std::string(keys::kId), id}};
    for (const Field& field : appraisalFields(sheet))
        fields.push_back({field.key, decodeMultiLine(field.value)});
    return fields;
}

Fields withOverallLevel(int level, const std::string& drawnUp)
{
    Appraisal sheet = fullSheet();
    sheet.overallLevel = level;
    sheet.drawnUpDate = drawnUp;
    return storedFields(sheet);
}

} // namespace

TEST(SheetFilling, ResetEmptiesTheTextsAndSetsTodayEverywhere)
{
    Appraisal expected;
    for (std::string* date : {&expected.employmentDate, &expected.positionDate, &expected.date, &expected.interviewDate,
                              &expected.notificationDate, &expected.evaluatorDateB, &expected.evaluatorDate,
                              &expected.periodStart, &expected.periodEnd, &expected.drawnUpDate})
        *date = kTodayText;
    expected.interviewTime = "09:00:00";
    expected.rows = defaultCriterionRows();

    EXPECT_EQ(resetSheet(kToday), expected);
}

TEST(SheetFilling, NewSheetTakesTheUnitAndTheEmployee)
{
    Employee employee = clerk();
    employee.firstName = "Zofia\rMaria"; // a "#" the reader turned into a line break

    const OpenedSheet opened = newSheet(kToday, officeUnit(), employee, {});

    Appraisal expected = resetSheet(kToday);
    expected.firm = "Urząd Gminy Łęczyca";
    expected.cell = "Referat Podatków";
    expected.city = expected.headCity = expected.placeD = expected.acknowledgedPlace = "Łęczyca";
    expected.evaluatorFullName = expected.acknowledgedBy = "Anna Maria Nowak";
    expected.evaluatorFirstName = "Anna";
    expected.evaluatorSurname = "Maria Nowak";
    expected.evaluatorPositionB = expected.evaluatorPosition = "Kierownik referatu";
    expected.evaluatorDateB = expected.evaluatorDate = "01-09-2015";
    expected.firstName = "Zofia#Maria";
    expected.surname = "Wójcik";
    expected.position = "Inspektor";
    expected.appointment = false;
    expected.employmentDate = "01-02-2010";
    expected.positionDate = "15-06-2018";
    expected.appraisedPerson = "Zofia#Maria Wójcik";
    EXPECT_EQ(opened.sheet, expected);
    EXPECT_EQ(opened.duties, (Duties{"Wymiar podatku rolnego\r\nWydawanie zaświadczeń", "Zastępstwo w kasie"}));
}

TEST(SheetFilling, NewSheetKeepsTodayForDatesThatAreNotValidAndTheResetWithoutRecords)
{
    Unit unit = officeUnit();
    unit.date = ""; // a unit made by the import has none
    Employee employee = clerk();
    employee.employ = "7";
    employee.date2 = "31-02-2018";

    const Appraisal sheet = newSheet(kToday, unit, employee, {}).sheet;

    EXPECT_EQ(sheet.evaluatorDateB, kTodayText);
    EXPECT_EQ(sheet.evaluatorDate, kTodayText);
    EXPECT_EQ(sheet.positionDate, kTodayText);
    EXPECT_TRUE(sheet.appointment);
    EXPECT_EQ(newSheet(kToday, std::nullopt, std::nullopt, {}).sheet, resetSheet(kToday));
}

TEST(SheetFilling, EvaluatorIsSplitAtTheFirstSpace)
{
    EXPECT_EQ(splitEvaluatorName("Jan"), (EvaluatorName{"Jan", ""}));
    EXPECT_EQ(splitEvaluatorName("Jan Kowalski"), (EvaluatorName{"Jan", "Kowalski"}));
    EXPECT_EQ(splitEvaluatorName("Anna Maria Nowak"), (EvaluatorName{"Anna", "Maria Nowak"}));
}

TEST(SheetFilling, PreviousGradeComesFromTheOverallLevelAndDateOfTheEarlierAppraisal)
{
    const std::string ofNew[] = {"", "Negatywna", "Pozytywna", "Pozytywna", "Pozytywna"};
    const std::string ofNewFrom[] = {"", "Niezadowalająca", "Zadowalająca", "Dobra", "Bardzo dobra"};
    for (int level = 0; level <= kHighestLevel; ++level) {
        const Fields earlier = withOverallLevel(level, "11-01-2024");
        const Appraisal fresh = newSheet(kToday, officeUnit(), clerk(), earlier).sheet;
        const Appraisal from = newSheetFrom(kToday, officeUnit(), clerk(), earlier).sheet;
        EXPECT_EQ(fresh.previousGrade, ofNew[level]);
        EXPECT_EQ(from.previousGrade, ofNewFrom[level]);
        EXPECT_EQ(fresh.previousDate, "11-01-2024");
        EXPECT_EQ(from.previousDate, "11-01-2024");
    }
    EXPECT_EQ(newSheet(kToday, officeUnit(), clerk(), {}).sheet.previousGrade, "");
}

TEST(SheetFilling, NewSheetFromASelectedOneTakesOverItsCriteriaTextsAndRowNamesOnly)
{
    const Appraisal source = fullSheet();

    const OpenedSheet opened = newSheetFrom(kToday, officeUnit(), clerk(), withOverallLevel(2, "04-03-2026"));

    OpenedSheet expected = newSheet(kToday, officeUnit(), clerk(), {});
    expected.sheet.previousGrade = "Zadowalająca";
    expected.sheet.previousDate = "04-03-2026";
    expected.sheet.criteria = source.criteria;
    expected.sheet.additionalCriterion = source.additionalCriterion;
    expected.sheet.additionalNote = source.additionalNote;
    expected.sheet.opinion = source.opinion;
    expected.sheet.rows = {
        {"Sumienność", 0}, {"Komunikacja pisemna", 0}, {"Pozytywne podejście do obywatela", 0}, {"Obsługa kasy", 0}};
    EXPECT_EQ(opened.sheet, expected.sheet);
    EXPECT_EQ(opened.duties, expected.duties);
}

TEST(SheetFilling, NewSheetFromOneWithoutRowsKeepsTheDefaultRows)
{
    Appraisal source = fullSheet();
    source.rows.clear();

    EXPECT_EQ(newSheetFrom(kToday, officeUnit(), clerk(), storedFields(source)).sheet.rows, defaultCriterionRows());
}

TEST(SheetFilling, ViewAndContinueShowTheStoredRecordOverTheReset)
{
    Appraisal stored = fullSheet();
    stored.id = "000009";
    const Fields partial = {{"ID=", "000009"}, {"SECTIONANAME=", "Zofia"}};
    Appraisal partlyFilled = resetSheet(kToday);
    partlyFilled.id = "000009";
    partlyFilled.firstName = "Zofia";

    EXPECT_EQ(viewedSheet(kToday, storedFields(stored)), stored);
    EXPECT_EQ(viewedSheet(kToday, partial), partlyFilled);

    const OpenedSheet continued = continuedSheet(kToday, storedFields(stored), clerk());
    EXPECT_EQ(continued.sheet, stored);
    EXPECT_EQ(continued.duties, dutiesOf(clerk()));
}
