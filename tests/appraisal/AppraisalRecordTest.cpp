// The appraisal record: the bytes a sheet is stored as, and reading them back.
#include "SheetBuilders.h"
#include "SheetFilling.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace taviro;
using namespace taviro::test;

namespace {

class AppraisalRecordTest : public ::testing::Test
{
protected:
    // Stores the sheet as the first record of an employee's file and returns its identifier.
    std::string store(const Appraisal& sheet)
    {
        return store_.records.add(kFile, RecordKind::Appraisal, appraisalFields(sheet));
    }
    Fields readBack(const std::string& id) { return store_.records.readById(kFile, id); }

    const std::string kFile = appraisalsFileName("000017");
    TestStore store_;
};

bool hasKey(const Fields& fields, std::string_view key)
{
    return std::ranges::any_of(fields, [key](const Field& field) { return field.key == key; });
}

} // namespace

TEST_F(AppraisalRecordTest, FullSheetIsStoredLineForLineInWriteOrder)
{
    Appraisal sheet = fullSheet();
    sheet.firm = "  Urząd Gminy Łęczyca\t";
    sheet.additionalNote = "Rozliczanie wpłat\nw dniu ich przyjęcia  ";

    const std::string id = store(sheet);

    EXPECT_EQ(store_.dir.read(kFile), storedText({
                                          "{",
                                          "ID=" + id,
                                          "SECTIONAFIRM=Urząd Gminy Łęczyca",
                                          "SECTIONANAME=Zofia",
                                          "SECTIONASURNAME=Wójcik",
                                          "SECTIONACELL=Referat Podatków",
                                          "SECTIONAPOSITION=Inspektor",
                                          "SECTIONAEMPLOY=0",
                                          "SECTIONADATE1=01-02-2010",
                                          "SECTIONADATE2=15-06-2018",
                                          "SECTIONAOLDGRADE=Pozytywna",
                                          "SECTIONAOLDDATE=20-01-2024",
                                          "SECTIONACITY=Łęczyca",
                                          "SECTIONADATE=02-03-2026",
                                          "SECTIONAINFODATE=03-03-2026",
                                          "SECTIONAINFOTIME=14:05:00",
                                          "SECTIONAINFODATE2=26-02-2026",
                                          "SECTIONBCRITERION1=Sumienność",
                                          "SECTIONBCRITERION2=Komunikacja pisemna",
                                          "SECTIONBCRITERION3=Pozytywne podejście do obywatela",
                                          "SECTIONBCRITERION4=",
                                          "SECTIONBCRITERION5=",
                                          "SECTIONBCRITERION6=",
                                          "SECTIONBCRITERION7=",
                                          "SECTIONBCRITERION8=",
                                          "SECTIONBCRITERION9=",
                                          "SECTIONBCRITERION10=",
                                          "SECTIONBCRITERION11=",
                                          "SECTIONBCRITERIONNAME=Obsługa kasy",
                                          "SECTIONBCRITERIONNOTE=Rozliczanie wpłat#$w dniu ich przyjęcia",
                                          "SECTIONBGRADEMONATH=8",
                                          "SECTIONBGRADEYEAR=2026",
                                          "SECTIONBGRADENAME=Anna Maria Nowak",
                                          "SECTIONBGRADEPOSITION=Kierownik referatu",
                                          "SECTIONBGRADEDATE=01-09-2015",
                                          "SECTIONBBOSSNOTE=Bez uwag.",
                                          "SECTIONBBOSSNAME=Piotr Lis",
                                          "SECTIONBBOSSCITY=Łęczyca",
                                          "SECTIONCNAME=Anna",
                                          "SECTIONCSURNAME=Maria Nowak",
                                          "SECTIONCPOSITION=Kierownik referatu",
                                          "SECTIONCDATE=01-09-2015",
                                          "SECTIONCNOTE=Pracuje sumiennie.#$#$Sprawy załatwia w terminie.",
                                          "SECTIONDCRINAME1=Sumienność",
                                          "SECTIONDCRIVAL1=4",
                                          "SECTIONDCRINAME2=Komunikacja pisemna",
                                          "SECTIONDCRIVAL2=3",
                                          "SECTIONDCRINAME3=Pozytywne podejście do obywatela",
                                          "SECTIONDCRIVAL3=3",
                                          "SECTIONDCRINAME4=Obsługa kasy",
                                          "SECTIONDCRIVAL4=2",
                                          "SECTIONDPERSON=Zofia Wójcik",
                                          "SECTIONDDATE1=01-03-2024",
                                          "SECTIONDDATE2=28-02-2026",
                                          "SECTIONDGRADE=3",
                                          "SECTIONDCITY=Łęczyca",
                                          "SECTIONDDATE3=04-03-2026",
                                          "SECTIONENAME=Anna Maria Nowak",
                                          "SECTIONECITY=Łęczyca",
                                          "GRADEVAR=Do000007.rtf",
                                          "DELETE=0",
                                          "}",
                                          "",
                                      }));
}

TEST_F(AppraisalRecordTest, StoredSheetReadsBackUnchangedHashAndDollarInOneLineValuesIncluded)
{
    Appraisal sheet = fullSheet();
    sheet.firm = "Urząd Gminy nr #2";
    sheet.criteria.back() = "Kryterium $1";
    sheet.rows.back().name = "Obsługa kasy #3";

    const std::string id = store(sheet);
    Appraisal read = resetSheet(kToday);
    readAppraisal(readBack(id), read);

    sheet.id = id;
    EXPECT_EQ(read, sheet);
    EXPECT_EQ(read.criteria.size(), 3u);
}

TEST_F(AppraisalRecordTest, SheetWithoutOverallLevelStoresNoGradeLineAndReadsBackWithoutOne)
{
    Appraisal sheet = fullSheet();
    sheet.overallLevel = 0;

    const Fields fields = appraisalFields(sheet);
    Appraisal read = resetSheet(kToday);
    readAppraisal(fields, read);

    EXPECT_FALSE(hasKey(fields, keys::appraisal::kGrade));
    EXPECT_EQ(read.overallLevel, 0);
}

TEST_F(AppraisalRecordTest, GridWithoutRowsStoresNoRowLinesAndReopensWithTheSixDefaultRows)
{
    Appraisal sheet = fullSheet();
    sheet.rows.clear();

    const std::string id = store(sheet);

    EXPECT_FALSE(hasKey(readBack(id), keys::appraisal::criterionRowName(1)));
    EXPECT_FALSE(hasKey(readBack(id), keys::appraisal::criterionRowLevel(1)));
    EXPECT_EQ(viewedSheet(kToday, readBack(id)).rows, resetSheet(kToday).rows);
}
