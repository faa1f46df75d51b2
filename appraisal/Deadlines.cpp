#include "Deadlines.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <utility>

namespace taviro {
namespace {

constexpr int kSoonDays = 30;
constexpr int kMostMonths = 120;

struct PeriodKey
{
    std::string_view key;
    int DeadlinePeriods::*period;
    std::string_view meaning;
};

constexpr std::array<PeriodKey, 5> kPeriodKeys = {{
    {"MiedzyOcenami", &DeadlinePeriods::betweenAppraisals,
     "najdłuższy odstęp między ocenami oraz termin pierwszej oceny od rozpoczęcia pracy na stanowisku urzędniczym"},
    {"NajwczesniejPoPozytywnej", &DeadlinePeriods::earliestAfterPositive,
     "najkrótszy odstęp między ocenami po ocenie pozytywnej"},
    {"PoNegatywnejOd", &DeadlinePeriods::negativeFrom, "ponowna ocena po ocenie negatywnej najwcześniej po"},
    {"PoNegatywnejDo", &DeadlinePeriods::negativeTo, "ponowna ocena po ocenie negatywnej najpóźniej po"},
    {"PrzedPierwsza", &DeadlinePeriods::beforeFirst,
     "najkrótszy czas pracy na stanowisku urzędniczym przed pierwszą oceną"},
}};

std::chrono::sys_days daysOf(const Date& date)
{
    return std::chrono::year_month_day(std::chrono::year(date.year),
                                       std::chrono::month(static_cast<unsigned>(date.month)),
                                       std::chrono::day(static_cast<unsigned>(date.day)));
}

std::string lineProblem(int number, std::string_view what)
{
    return std::string(deadlinePeriodsFileName()) + ", wiersz " + std::to_string(number) + ": " + std::string(what);
}

void readLine(std::string_view line, int number, PeriodsReading& reading)
{
    const std::string_view text = trimmedView(line);
    if (text.empty() || text.front() == ';' || text.front() == '#' || text == "[Terminy]")
        return;
    const auto eq = text.find('=');
    const std::string_view key = eq == std::string_view::npos ? text : trimmedView(text.substr(0, eq));
    const auto known = std::find_if(kPeriodKeys.begin(), kPeriodKeys.end(),
                                    [&](const PeriodKey& period) { return period.key == key; });
    if (eq == std::string_view::npos || known == kPeriodKeys.end()) {
        reading.problems.push_back(lineProblem(number, "nieznany wpis \"" + std::string(text) + "\"."));
        return;
    }
    const std::string_view value = trimmedView(text.substr(eq + 1));
    const auto months = parseInteger(value);
    if (!months || *months < 1 || *months > kMostMonths) {
        reading.problems.push_back(lineProblem(number, "wartość \"" + std::string(value) + "\" przy " +
                                                           std::string(key) +
                                                           " nie jest liczbą miesięcy od 1 do 120; obowiązuje " +
                                                           std::to_string(DeadlinePeriods{}.*known->period) + "."));
        return;
    }
    reading.periods.*known->period = static_cast<int>(*months);
}

Deadline byLatest(Deadline deadline, const Date& today)
{
    const int left = daysBetween(today, *deadline.latest);
    deadline.state = left < 0 ? DueState::Overdue : left <= kSoonDays ? DueState::DueSoon : DueState::OnTime;
    return deadline;
}

} // namespace

std::string_view deadlinePeriodsFileName()
{
    return "Terminy.ini";
}

PeriodsReading readDeadlinePeriods(std::string_view fileText)
{
    PeriodsReading reading;
    int number = 0;
    std::size_t start = 0;
    while (start <= fileText.size()) {
        const std::size_t end = std::min(fileText.find('\n', start), fileText.size());
        readLine(fileText.substr(start, end - start), ++number, reading);
        start = end + 1;
    }
    DeadlinePeriods& periods = reading.periods;
    if (periods.negativeTo < periods.negativeFrom) {
        reading.problems.push_back(std::string(deadlinePeriodsFileName()) +
                                   ": okno ponownej oceny kończy się przed swoim początkiem; obowiązują wartości "
                                   "domyślne (3 i 6 miesięcy).");
        periods.negativeFrom = DeadlinePeriods{}.negativeFrom;
        periods.negativeTo = DeadlinePeriods{}.negativeTo;
    }
    return reading;
}

std::string deadlinePeriodsTemplate()
{
    std::string text = "; Terminy ocen okresowych w miesiącach, jak je ustala regulamin urzędu.\r\n"
                       "; Brak pliku lub wpisu: obowiązują wartości podane niżej.\r\n[Terminy]\r\n";
    const DeadlinePeriods defaults;
    for (const PeriodKey& period : kPeriodKeys) {
        text += "; " + std::string(period.meaning) + "\r\n";
        text += std::string(period.key) + "=" + std::to_string(defaults.*period.period) + "\r\n";
    }
    return text;
}

Date addMonths(const Date& date, int months)
{
    const int total = date.year * 12 + (date.month - 1) + months;
    Date later{total / 12, total % 12 + 1, date.day};
    const auto last = std::chrono::year_month_day_last(
        std::chrono::year(later.year),
        std::chrono::month_day_last(std::chrono::month(static_cast<unsigned>(later.month))));
    later.day = std::min(later.day, static_cast<int>(static_cast<unsigned>(last.day())));
    return later;
}

int daysBetween(const Date& from, const Date& to)
{
    return static_cast<int>((daysOf(to) - daysOf(from)).count());
}

Deadline appraisalDeadline(const Date& today, std::string_view clericalSince, std::span<const AppraisalSummary> live,
                           const DeadlinePeriods& periods)
{
    Deadline deadline;
    for (const AppraisalSummary& appraisal : live) {
        const auto date = parseDate(appraisal.drawnUp);
        if (!date || appraisal.overallLevel < 1 || appraisal.overallLevel > 4) {
            ++deadline.unfinished;
            continue;
        }
        if (!deadline.lastDate || daysBetween(*deadline.lastDate, *date) >= 0) {
            deadline.lastDate = *date;
            deadline.lastLevel = appraisal.overallLevel;
        }
    }
    if (deadline.lastDate && deadline.lastLevel == 1) {
        deadline.earliest = addMonths(*deadline.lastDate, periods.negativeFrom);
        deadline.latest = addMonths(*deadline.lastDate, periods.negativeTo);
        if (daysBetween(today, *deadline.latest) < 0)
            deadline.state = DueState::Overdue;
        else if (daysBetween(*deadline.earliest, today) >= 0)
            deadline.state = DueState::ReappraisalWindow;
        else
            deadline.state = DueState::OnTime;
        return deadline;
    }
    if (deadline.lastDate) {
        deadline.earliest = addMonths(*deadline.lastDate, periods.earliestAfterPositive);
        deadline.latest = addMonths(*deadline.lastDate, periods.betweenAppraisals);
        return byLatest(deadline, today);
    }
    const auto since = parseDate(clericalSince);
    if (!since || daysBetween(today, addMonths(*since, periods.beforeFirst)) > 0)
        return deadline; // nothing is due yet
    deadline.earliest = addMonths(*since, periods.beforeFirst);
    deadline.latest = addMonths(*since, periods.betweenAppraisals);
    return byLatest(deadline, today);
}

std::string_view dueStateText(DueState state)
{
    switch (state) {
    case DueState::Overdue:
        return "po terminie";
    case DueState::DueSoon:
        return "w ciągu 30 dni";
    case DueState::ReappraisalWindow:
        return "okno ponownej oceny";
    case DueState::OnTime:
        return "w terminie";
    case DueState::NotYetDue:
        return "brak oceny";
    }
    return {};
}

} // namespace taviro
