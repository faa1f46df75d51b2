// The deadlines page at the size of the largest office: 5,000 employees in 50 units, each with ten
// appraisals (50,000, two in ten deleted), against the floor: plain open, read and close of the
// same files (Cell.dat, every Pe and every Gr file). The fill is what the command does before the
// page shows: the list read through the program's services and the page's table filled, under
// the offscreen platform. Timed on a warm cache, alternately with the floor; the summary line
// gives the medians and their ratio. The data goes to TMPDIR and is removed at the end.
#include "GeneratedOffice.h"
#include "ProgramSeams.h"

#include "pages/DeadlinesPage.h"

#include "DueList.h"

#include <QApplication>

#include <cstdio>
#include <stdexcept>

using namespace taviro;
using namespace taviro::bench;

namespace {

constexpr int kUnits = 50;
constexpr int kEmployeesPerUnit = 100;
constexpr int kSummaryRuns = 11;
constexpr int kWarmUpRuns = 2;

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto folder = freshFolder("taviro-bench-deadlines-");
    int status = 0;
    try {
        const std::vector<UnitData> units = writeDataDirectory(folder, std::vector<int>(kUnits, kEmployeesPerUnit));
        std::vector<std::string> files = {(folder / unitsFileName()).string()};
        std::uint64_t largest = 0;
        for (const UnitData& unit : units) {
            files.insert(files.end(), unit.files.begin(), unit.files.end());
            for (const std::string& file : unit.files)
                largest = std::max<std::uint64_t>(largest, std::filesystem::file_size(file));
        }
        std::vector<char> buffer(static_cast<std::size_t>(largest) + 4096);

        ProgramSeams seams(folder);
        ui::DeadlinesPage page;
        page.resize(1000, 700);
        page.show();
        const auto fill = [&] {
            page.setRows(
                dueList(seams.services.records(), seams.clock.today(), {}, [](const UnitEntry&) { return true; }));
            QApplication::processEvents();
        };
        std::vector<double> fills;
        std::vector<double> floors;
        for (int run = 0; run < kWarmUpRuns + kSummaryRuns; ++run) {
            const double fillTime = millisecondsOf(fill);
            const double floorTime = millisecondsOf([&] { readPlainly(files, buffer); });
            if (run >= kWarmUpRuns) {
                fills.push_back(fillTime);
                floors.push_back(floorTime);
            }
        }
        if (page.grid()->rowCount() != kUnits * kEmployeesPerUnit)
            throw std::runtime_error("the page does not show every live employee");
        const double fillMedian = median(fills);
        const double floorMedian = median(floors);
        std::printf("deadlines page, %d employees (%zu files): fill %.1f ms, floor %.1f ms, ratio %.2f (medians of %d "
                    "runs)\n",
                    kUnits * kEmployeesPerUnit, files.size(), fillMedian, floorMedian, fillMedian / floorMedian,
                    kSummaryRuns);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(folder);
    return status;
}
