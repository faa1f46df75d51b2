#include "PrintTestSupport.h"

namespace taviro::test {

RecordLines printedUnitRecord()
{
    return {"{",
            "ID=000001",
            "CELLFIRM=Urząd Gminy Łęczyca",
            "CELLCITY=Łęczyca",
            "CELLNAME=Referat Świadczeń",
            "CELLPERSON=Zofia Żak",
            "CELLPOSITION=Kierownik referatu",
            "CELLDATE=01-02-2015",
            "CELLDELETE=0",
            "}",
            ""};
}

RecordLines printedEmployeeRecord()
{
    return {"{",
            "ID=000005",
            "PERSONNAME=Małgorzata",
            "PERSONSURNAME=Wiśniewska",
            "PERSONPOSITION=Inspektor",
            "PERSONEMPLOY=1",
            "PERSONDATE1=01-04-2009",
            "PERSONDATE2=15-09-2018",
            "PERSONDUTY1=Kadry",
            "PERSONDUTY2=",
            "PERSONDELETE=0",
            "}",
            ""};
}

RecordLines filledAppraisalRecord(const std::string& id, const std::string& periodEnd)
{
    RecordLines lines = {"{",
                         "ID=" + id,
                         "SECTIONAFIRM=Urząd Gminy Łęczyca",
                         "SECTIONANAME=Małgorzata",
                         "SECTIONASURNAME=Wiśniewska",
                         "SECTIONACELL=Referat Świadczeń",
                         "SECTIONAPOSITION=Inspektor",
                         "SECTIONAEMPLOY=1",
                         "SECTIONADATE1=01-04-2009",
                         "SECTIONADATE2=15-09-2018",
                         "SECTIONAOLDGRADE=Pozytywna",
                         "SECTIONAOLDDATE=28-06-2024",
                         "SECTIONACITY=Łęczyca",
                         "SECTIONADATE=05-03-2026",
                         "SECTIONAINFODATE=10-03-2026",
                         "SECTIONAINFOTIME=09:30:00",
                         "SECTIONAINFODATE2=05-03-2026",
                         "SECTIONBCRITERION1=Sumienność",
                         "SECTIONBCRITERION2=Sprawność"};
    for (int n = 3; n <= 11; ++n)
        lines.push_back("SECTIONBCRITERION" + std::to_string(n) + "=");
    const RecordLines rest = {"SECTIONBCRITERIONNAME=Obsługa kasy",
                              "SECTIONBCRITERIONNOTE=Rzetelne#$rozliczanie",
                              "SECTIONBGRADEMONATH=11",
                              "SECTIONBGRADEYEAR=2026",
                              "SECTIONBGRADENAME=Zofia Żak",
                              "SECTIONBGRADEPOSITION=Kierownik referatu",
                              "SECTIONBGRADEDATE=01-02-2015",
                              "SECTIONBBOSSNOTE=Bez uwag.",
                              "SECTIONBBOSSNAME=Jerzy Gęślarz",
                              "SECTIONBBOSSCITY=Łęczyca",
                              "SECTIONCNAME=Zofia",
                              "SECTIONCSURNAME=Żak",
                              "SECTIONCPOSITION=Kierownik referatu",
                              "SECTIONCDATE=01-02-2015",
                              "SECTIONCNOTE=Sumienna i terminowa.#$Chętnie pomaga współpracownikom.",
                              "SECTIONDCRINAME1=Sumienność",
                              "SECTIONDCRIVAL1=3",
                              "SECTIONDCRINAME2=Sprawność",
                              "SECTIONDCRIVAL2=3",
                              "SECTIONDPERSON=Małgorzata Wiśniewska",
                              "SECTIONDDATE1=01-01-2025",
                              "SECTIONDDATE2=" + periodEnd,
                              "SECTIONDGRADE=3",
                              "SECTIONDCITY=Łęczyca",
                              "SECTIONDDATE3=05-01-2027",
                              "SECTIONENAME=Zofia Żak",
                              "SECTIONECITY=Łęczyca",
                              "GRADEVAR=",
                              "DELETE=0",
                              "}",
                              ""};
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

void writePrintedData(const TemporaryDataDirectory& dir, const std::vector<RecordLines>& appraisals)
{
    dir.write("Cell.dat", recordFile({printedUnitRecord()}));
    dir.write("Pe000001.dat", recordFile({printedEmployeeRecord()}));
    dir.write("Gr000005.dat", recordFile(appraisals));
}

} // namespace taviro::test
