// What the sheet tests build their cases from: a fixed today, a unit, an employee and a sheet with
// every field filled.
#pragma once

#include "AppraisalRecord.h"
#include "Register.h"
#include "TextCodec.h"

namespace taviro::test {

inline constexpr Date kToday{2026, 3, 5};
inline const std::string kTodayText = "05-03-2026";

inline Unit officeUnit()
{
    Unit unit;
    unit.id = "000004";
    unit.firm = "Urząd Gminy Łęczyca";
    unit.city = "Łęczyca";
    unit.name = "Referat Podatków";
    unit.person = "Anna Maria Nowak";
    unit.position = "Kierownik referatu";
    unit.date = "01-09-2015";
    return unit;
}

inline Employee clerk()
{
    Employee employee;
    employee.id = "000017";
    employee.firstName = "Zofia";
    employee.surname = "Wójcik";
    employee.position = "Inspektor";
    employee.employ = "0";
    employee.date1 = "01-02-2010";
    employee.date2 = "15-06-2018";
    employee.duty1 = "Wymiar podatku rolnego\r\nWydawanie zaświadczeń";
    employee.duty2 = "Zastępstwo w kasie";
    return employee;
}

// Every field set, each to a value of its own, as a stored sheet holds them (trimmed, multi-line
// values with CR LF).
inline Appraisal fullSheet()
{
    Appraisal sheet;
    sheet.firm = "Urząd Gminy Łęczyca";
    sheet.firstName = "Zofia";
    sheet.surname = "Wójcik";
    sheet.cell = "Referat Podatków";
    sheet.position = "Inspektor";
    sheet.appointment = false;
    sheet.employmentDate = "01-02-2010";
    sheet.positionDate = "15-06-2018";
    sheet.previousGrade = "Pozytywna";
    sheet.previousDate = "20-01-2024";
    sheet.city = "Łęczyca";
    sheet.date = "02-03-2026";
    sheet.interviewDate = "03-03-2026";
    sheet.interviewTime = "14:05:00";
    sheet.notificationDate = "26-02-2026";
    sheet.criteria = {"Sumienność", "Komunikacja pisemna", "Pozytywne podejście do obywatela"};
    sheet.additionalCriterion = "Obsługa kasy";
    sheet.additionalNote = "Rozliczanie wpłat\r\nw dniu ich przyjęcia";
    sheet.writtenMonth = 8;
    sheet.writtenYear = "2026";
    sheet.evaluatorFullName = "Anna Maria Nowak";
    sheet.evaluatorPositionB = "Kierownik referatu";
    sheet.evaluatorDateB = "01-09-2015";
    sheet.headNote = "Bez uwag.";
    sheet.headName = "Piotr Lis";
    sheet.headCity = "Łęczyca";
    sheet.evaluatorFirstName = "Anna";
    sheet.evaluatorSurname = "Maria Nowak";
    sheet.evaluatorPosition = "Kierownik referatu";
    sheet.evaluatorDate = "01-09-2015";
    sheet.opinion = "Pracuje sumiennie.\r\n\r\nSprawy załatwia w terminie.";
    sheet.rows = {
        {"Sumienność", 4}, {"Komunikacja pisemna", 3}, {"Pozytywne podejście do obywatela", 3}, {"Obsługa kasy", 2}};
    sheet.appraisedPerson = "Zofia Wójcik";
    sheet.periodStart = "01-03-2024";
    sheet.periodEnd = "28-02-2026";
    sheet.overallLevel = 3;
    sheet.placeD = "Łęczyca";
    sheet.drawnUpDate = "04-03-2026";
    sheet.acknowledgedBy = "Anna Maria Nowak";
    sheet.acknowledgedPlace = "Łęczyca";
    sheet.document = "Do000007.rtf";
    return sheet;
}

} // namespace taviro::test
