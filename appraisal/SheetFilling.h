// How the sheet editor fills a sheet when it opens one: the reset, a new appraisal from the unit and
// the employee, a new appraisal from an earlier one, and a stored appraisal to view or continue.
// Every "today" is the date handed in (the editor takes it from its clock); a record that was not
// found (no unit, no employee, empty fields) leaves the values before it in place, and so does a key
// missing from a record that was found.
#pragma once

#include "AppraisalRecord.h"
#include "Register.h"
#include "TextCodec.h"

#include <optional>
#include <string>
#include <string_view>

namespace taviro {

// The employee's duties, shown read-only beside the criteria choice; lines joined by CR LF.
struct Duties
{
    std::string current;    // PERSONDUTY1=
    std::string additional; // PERSONDUTY2=
    bool operator==(const Duties&) const = default;
};

// An opened sheet and the duties that go with it (none in view mode).
struct OpenedSheet
{
    Appraisal sheet;
    Duties duties;
};

struct EvaluatorName
{
    std::string firstNames;
    std::string surname;
    bool operator==(const EvaluatorName&) const = default;
};

// The unit head, who appraises, split at the first space: "Jan" → "Jan" and "", "Jan Kowalski" →
// "Jan" and "Kowalski", "Anna Maria Nowak" → "Anna" and "Maria Nowak".
EvaluatorName splitEvaluatorName(std::string_view person);

// A sheet with nothing in it: every text empty, "mianowania", every date of parts A to D today, the
// interview at 09:00:00, the written appraisal in the first month, the six rows of a new grid, no
// overall level, no interview-notes document.
Appraisal resetSheet(const Date& today);

// What the unit gives a new sheet: the name of the body and the unit on A, its place on A, B, D and
// E, its head as the evaluator on B, C and E, the head's position on B and C, and the head's start
// date on B and C when it is a valid date.
void fillFromUnit(Appraisal& sheet, const Unit& unit);

// What the employee gives a new sheet: name, surname, position, kind of engagement and both dates
// on A (a date only when it is a valid one), and "first name surname" as the appraised person on D.
void fillFromEmployee(Appraisal& sheet, const Employee& employee);
Duties dutiesOf(const Employee& employee);

// "Ocena/poziom" of a new sheet from the overall level of the employee's last appraisal: "Negatywna"
// for 1, "Pozytywna" for 2 to 4, nothing otherwise.
std::string_view previousGradeText(int overallLevel);
// The same for a sheet made from a selected appraisal: "Niezadowalająca", "Zadowalająca", "Dobra",
// "Bardzo dobra" for 1 to 4, nothing otherwise.
std::string_view previousLevelText(int overallLevel);

// New appraisal: the reset, then the unit, the employee and, when the employee has live appraisals,
// the previous grade and its date of drawing up from the last of them (its fields as the register
// reads them; empty when there is none).
OpenedSheet newSheet(const Date& today, const std::optional<Unit>& unit, const std::optional<Employee>& employee,
                     const Fields& lastAppraisal);

// New appraisal from a selected one: as a new appraisal for the unit and the employee, then from the
// source its level as "Ocena/poziom", its date of drawing up, the chosen criteria, the additional
// criterion with its description, the opinion and the names of its rows, each without a level (a
// source without rows leaves the six of a new grid). Nothing else: no levels, no overall level, no
// interview-notes document, no dates.
OpenedSheet newSheetFrom(const Date& today, const std::optional<Unit>& unit, const std::optional<Employee>& employee,
                         const Fields& source);

// View: the reset, then the stored record over it. The employee is not read.
Appraisal viewedSheet(const Date& today, const Fields& stored);

// Continue: as view, and the employee's duties.
OpenedSheet continuedSheet(const Date& today, const Fields& stored, const std::optional<Employee>& employee);

} // namespace taviro
