// The fill of the navigation tree for a unit of 500 employees and one of 50, each employee with
// ten appraisals, against the floor: plain open, read and close of the same files, one after
// another, each read whole. The fill runs through the program's own panel and services, under
// the offscreen platform, with every outside seam replaced as in the GUI tests.
//
// Both are timed on a warm cache, alternately, in the same run; after Google Benchmark's own
// report a summary line per unit gives the median of each and their ratio. The data directory
// goes to the system's temporary folder (TMPDIR) and is removed at the end.
#include "GeneratedOffice.h"
#include "ProgramSeams.h"

#include "NavigationPanel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

using namespace taviro;
using namespace taviro::bench;

namespace {

constexpr int kSummaryRuns = 41;
constexpr int kWarmUpRuns = 5;

// The navigation panel over the program's services.
struct Program
{
    explicit Program(const std::filesystem::path& folder) : seams(folder), panel(seams.services)
    {
        panel.fillUnitList();
        panel.show();
        QApplication::processEvents();
    }

    void select(int unitId)
    {
        QComboBox* list = panel.unitList();
        list->setCurrentIndex(list->findData(unitId));
    }

    // What the tree shows: employees and appraisals.
    std::pair<int, int> shown() const
    {
        const QTreeWidget* tree = panel.tree();
        int appraisals = 0;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            appraisals += tree->topLevelItem(i)->childCount();
        return {tree->topLevelItemCount(), appraisals};
    }

    ProgramSeams seams;
    ui::NavigationPanel panel;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const auto folder = freshFolder("taviro-bench-tree-");
    int status = 0;
    try {
        const std::vector<UnitData> units = writeDataDirectory(folder, {500, 50});
        std::uint64_t largest = 0;
        for (const UnitData& unit : units) {
            for (const std::string& file : unit.files)
                largest = std::max<std::uint64_t>(largest, std::filesystem::file_size(file));
        }
        std::vector<char> buffer(static_cast<std::size_t>(largest) + 4096);
        Program program(folder);

        const auto fill = [&](const UnitData& unit) {
            program.select(unit.id);
            program.panel.fillTree();
        };
        const auto shownRight = [&](const UnitData& unit) {
            return program.shown() == std::pair(unit.employees, unit.liveAppraisals);
        };
        // Events the fill leaves behind (the view's delayed layout) are handled between runs, untimed.
        const auto settle = [] { QApplication::processEvents(); };

        for (const UnitData& unit : units) {
            const std::string size = std::to_string(unit.employees);
            benchmark::RegisterBenchmark(
                ("TreeFill/" + size + "employees").c_str(),
                [&](benchmark::State& state) {
                    for (auto _ : state) {
                        fill(unit);
                        state.PauseTiming();
                        settle();
                        state.ResumeTiming();
                    }
                    if (!shownRight(unit))
                        state.SkipWithError("the tree does not show every live employee and appraisal");
                    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(unit.files.size()));
                })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(
                ("PlainReads/" + size + "employees").c_str(),
                [&](benchmark::State& state) {
                    for (auto _ : state)
                        benchmark::DoNotOptimize(readPlainly(unit.files, buffer));
                    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(unit.files.size()));
                    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(unit.bytes));
                })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
        benchmark::RunSpecifiedBenchmarks();
        // The summary: the fill and the floor taken in turn, so that both see the same machine.
        for (const UnitData& unit : units) {
            std::vector<double> fills;
            std::vector<double> floors;
            for (int run = 0; run < kWarmUpRuns + kSummaryRuns; ++run) {
                const double fillTime = millisecondsOf([&] { fill(unit); });
                settle();
                const double floorTime =
                    millisecondsOf([&] { benchmark::DoNotOptimize(readPlainly(unit.files, buffer)); });
                if (run >= kWarmUpRuns) {
                    fills.push_back(fillTime);
                    floors.push_back(floorTime);
                }
            }
            if (!shownRight(unit))
                throw std::runtime_error("the tree does not show every live employee and appraisal");
            const double fillMedian = median(fills);
            const double floorMedian = median(floors);
            std::printf("tree fill %d employees (%zu files, %.1f MB): fill %.2f ms, floor %.2f ms, ratio %.2f"
                        " (medians of %d runs)\n",
                        unit.employees, unit.files.size(), static_cast<double>(unit.bytes) / 1e6, fillMedian,
                        floorMedian, fillMedian / floorMedian, kSummaryRuns);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    benchmark::Shutdown();
    std::filesystem::remove_all(folder);
    return status;
}
