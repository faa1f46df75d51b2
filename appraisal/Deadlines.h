// When an employee is to be appraised next. The statute on local-government employees (art. 28)
// has a clerk in a clerical position appraised at least once every two years and, after a negative
// appraisal, again not earlier than three months after it; the periods themselves are the office's
// own regulation's to set within those bounds. Our defaults are those of the delivered model
// regulation (Regulamin.rtf, § 4): an appraisal not more often than every 6 months and not less
// often than every 24 months; the first one after at least 6 and at most 24 months in a clerical
// position; after a negative appraisal the next one within a window from 3 to 6 months after it.
//
// The rule, over one employee and the live appraisals of their file:
// - the last appraisal is the live one with the latest "Dnia" date (SECTIONDDATE3=); one saved
//   without an overall level is not finished and does not count (the result says how many there
//   were), nor does one without a valid "Dnia" date;
// - after a positive one (overall level 2 to 4) the next is due at the latest betweenAppraisals
//   months after it, and not earlier than earliestAfterPositive months after it;
// - after a negative one (level 1) the next falls in the window from negativeFrom to negativeTo
//   months after it;
// - with none yet: nothing is due while the employee has been in a clerical position
//   (PERSONDATE1=) for less than beforeFirst months; then the first is due at the latest
//   betweenAppraisals months after that date.
// An office whose regulation sets other periods writes them into Terminy.ini in the data directory.
#pragma once

#include "Register.h"
#include "TextCodec.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace taviro {

// The five periods, in months.
struct DeadlinePeriods
{
    int betweenAppraisals = 24;
    int earliestAfterPositive = 6;
    int negativeFrom = 3;
    int negativeTo = 6;
    int beforeFirst = 6;
    bool operator==(const DeadlinePeriods&) const = default;
};

// "Terminy.ini"
std::string_view deadlinePeriodsFileName();

// The periods as the file sets them. Lines "Key=months" (keys MiedzyOcenami,
// NajwczesniejPoPozytywnej, PoNegatywnejOd, PoNegatywnejDo, PrzedPierwsza); lines starting with ";"
// or "#", blank lines and a "[Terminy]" heading are passed over. A key the file lacks keeps its
// default; a value that is not a whole number of months from 1 to 120, an unknown key, a negative
// window that ends before it begins: each is a problem (Polish text naming the line) and the
// default stays for it: nothing is guessed.
struct PeriodsReading
{
    DeadlinePeriods periods;
    std::vector<std::string> problems;
};
PeriodsReading readDeadlinePeriods(std::string_view fileText);
// The file as an office receives it: every key with its default and a comment on what it means.
std::string deadlinePeriodsTemplate();

enum class DueState
{
    Overdue,           // "po terminie"
    DueSoon,           // "w ciągu 30 dni": the latest date is at most 30 days away
    ReappraisalWindow, // "okno ponownej oceny": the window after a negative appraisal is open
    OnTime,            // "w terminie"
    NotYetDue,         // "brak oceny": no appraisal yet, and none due yet
};

struct Deadline
{
    DueState state = DueState::NotYetDue;
    std::optional<Date> lastDate; // the last counted appraisal's "Dnia"
    int lastLevel = 0;            // its overall level
    std::optional<Date> earliest; // not before this
    std::optional<Date> latest;   // not after this
    int unfinished = 0;           // live appraisals that do not count (no overall level or no valid date)
};

Deadline appraisalDeadline(const Date& today, std::string_view clericalSince, std::span<const AppraisalSummary> live,
                           const DeadlinePeriods& periods = {});

std::string_view dueStateText(DueState state);

// The date that many months later; a day the month lacks becomes its last day (31 August and
// six months is the last day of February).
Date addMonths(const Date& date, int months);
// Days from `from` to `to`, negative when `to` comes first.
int daysBetween(const Date& from, const Date& to);

} // namespace taviro
