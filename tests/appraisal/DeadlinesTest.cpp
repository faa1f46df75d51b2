// When the next appraisal is due: after a positive and a negative one, before the first, with an
// unfinished sheet, with an office's own periods, and at the ends of months.
#include "Deadlines.h"

#include <gtest/gtest.h>

using namespace taviro;

namespace {

const Date kToday{2026, 3, 5};

AppraisalSummary appraisal(std::string drawnUp, int level)
{
    return {"000001", std::move(drawnUp), level};
}

} // namespace

TEST(Deadlines, APositiveAppraisalIsDueTwoYearsLaterAndNotBeforeSixMonths)
{
    const std::vector<AppraisalSummary> live = {appraisal("10-04-2024", 3)};
    const Deadline due = appraisalDeadline(kToday, "01-01-2010", live);
    EXPECT_EQ(due.lastDate, (Date{2024, 4, 10}));
    EXPECT_EQ(due.earliest, (Date{2024, 10, 10}));
    EXPECT_EQ(due.latest, (Date{2026, 4, 10}));
    EXPECT_EQ(due.state, DueState::OnTime) << "36 days left";
    EXPECT_EQ(appraisalDeadline({2026, 3, 10}, "", live).state, DueState::OnTime) << "31 days left";
    EXPECT_EQ(appraisalDeadline({2026, 3, 11}, "", live).state, DueState::DueSoon) << "30 days left";
    EXPECT_EQ(appraisalDeadline({2026, 4, 10}, "", live).state, DueState::DueSoon) << "the last day";
    EXPECT_EQ(appraisalDeadline({2026, 4, 11}, "", live).state, DueState::Overdue);
}

TEST(Deadlines, ANegativeAppraisalOpensAWindowFromThreeToSixMonths)
{
    const std::vector<AppraisalSummary> live = {appraisal("15-10-2025", 1)};
    EXPECT_EQ(appraisalDeadline({2026, 1, 14}, "", live).state, DueState::OnTime);
    const Deadline opened = appraisalDeadline({2026, 1, 15}, "", live);
    EXPECT_EQ(opened.state, DueState::ReappraisalWindow);
    EXPECT_EQ(opened.earliest, (Date{2026, 1, 15}));
    EXPECT_EQ(opened.latest, (Date{2026, 4, 15}));
    EXPECT_EQ(appraisalDeadline({2026, 4, 15}, "", live).state, DueState::ReappraisalWindow);
    EXPECT_EQ(appraisalDeadline({2026, 4, 16}, "", live).state, DueState::Overdue);
    // A later positive one takes its place.
    const std::vector<AppraisalSummary> both = {appraisal("15-10-2025", 1), appraisal("20-02-2026", 2)};
    EXPECT_EQ(appraisalDeadline(kToday, "", both).latest, (Date{2028, 2, 20}));
}

TEST(Deadlines, BeforeTheFirstAppraisalSixMonthsInAClericalPositionMustPass)
{
    EXPECT_EQ(appraisalDeadline(kToday, "06-09-2025", {}).state, DueState::NotYetDue);
    EXPECT_FALSE(appraisalDeadline(kToday, "06-09-2025", {}).latest);
    const Deadline due = appraisalDeadline(kToday, "05-09-2025", {});
    EXPECT_EQ(due.earliest, (Date{2026, 3, 5}));
    EXPECT_EQ(due.latest, (Date{2027, 9, 5}));
    EXPECT_EQ(due.state, DueState::OnTime);
    EXPECT_EQ(appraisalDeadline(kToday, "01-03-2024", {}).state, DueState::Overdue);
    EXPECT_EQ(appraisalDeadline(kToday, "", {}).state, DueState::NotYetDue) << "no date: nothing to count from";
}

TEST(Deadlines, AnUnfinishedSheetDoesNotCountButIsCounted)
{
    const std::vector<AppraisalSummary> live = {appraisal("10-04-2024", 4), appraisal("01-02-2026", 0),
                                                appraisal("no date", 3)};
    const Deadline due = appraisalDeadline(kToday, "", live);
    EXPECT_EQ(due.lastDate, (Date{2024, 4, 10}));
    EXPECT_EQ(due.unfinished, 2);
}

TEST(Deadlines, MonthEndsAndLeapDays)
{
    EXPECT_EQ(addMonths({2025, 8, 31}, 6), (Date{2026, 2, 28}));
    EXPECT_EQ(addMonths({2023, 8, 31}, 6), (Date{2024, 2, 29}));
    EXPECT_EQ(addMonths({2024, 2, 29}, 24), (Date{2026, 2, 28}));
    EXPECT_EQ(addMonths({2025, 11, 30}, 3), (Date{2026, 2, 28}));
    EXPECT_EQ(daysBetween({2024, 2, 28}, {2024, 3, 1}), 2);
}

TEST(Deadlines, AnOfficeSetsItsOwnPeriodsAndABadValueIsReportedNotGuessed)
{
    const PeriodsReading own =
        readDeadlinePeriods("; nasz regulamin\r\n[Terminy]\r\nMiedzyOcenami=36\r\nPoNegatywnejDo = 5\r\n");
    EXPECT_TRUE(own.problems.empty());
    EXPECT_EQ(own.periods, (DeadlinePeriods{36, 6, 3, 5, 6}));
    const std::vector<AppraisalSummary> live = {appraisal("10-04-2024", 3)};
    EXPECT_EQ(appraisalDeadline(kToday, "", live, own.periods).latest, (Date{2027, 4, 10}));

    const PeriodsReading bad = readDeadlinePeriods("MiedzyOcenami=24m\nPoNegatywnejOd=0\nCoInnego=3\n");
    EXPECT_EQ(bad.periods, DeadlinePeriods{});
    ASSERT_EQ(bad.problems.size(), 3u);
    EXPECT_EQ(bad.problems[0],
              "Terminy.ini, wiersz 1: wartość \"24m\" przy MiedzyOcenami nie jest liczbą miesięcy od 1 "
              "do 120; obowiązuje 24.");
    EXPECT_NE(bad.problems[2].find("nieznany wpis"), std::string::npos);
    EXPECT_EQ(readDeadlinePeriods(deadlinePeriodsTemplate()).problems.size(), 0u) << "the delivered file reads clean";
    EXPECT_EQ(readDeadlinePeriods("PoNegatywnejOd=7\n").problems.size(), 1u) << "a window that ends before it begins";
}
