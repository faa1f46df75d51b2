// The import of a 5,000-line file (100 units of 50 employees) into an empty data directory, once
// with the readings of Cell.dat and the employee files reused while they are unchanged and once
// reading them afresh for every line.
//
// The data directories go to the system's temporary folder (TMPDIR): on a disk the flushes of
// every append weigh most, on a memory file system (TMPDIR=/dev/shm) the reading and parsing.
#include "GeneratedOffice.h"
#include "ImportFile.h"
#include "TaviroTypeCode.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace taviro;
using taviro::bench::freshFolder;

namespace {

constexpr int kUnits = 100;
constexpr int kEmployeesPerUnit = 50;

class ImportFixture : public benchmark::Fixture
{
public:
    void SetUp(const benchmark::State&) override
    {
        m_inputs = freshFolder("taviro-bench-input-");
        m_file = bench::writeImportFile(m_inputs, kUnits, kEmployeesPerUnit);
    }
    void TearDown(const benchmark::State&) override { std::filesystem::remove_all(m_inputs); }

protected:
    void run(benchmark::State& state, ImportReading reading)
    {
        for (auto _ : state) {
            state.PauseTiming();
            const auto folder = freshFolder("taviro-bench-data-");
            {
                ConsoleWaitNotifier notifier;
                SharedFileAccess files(
                    DataDirectory(DataDirectory::withTrailingSeparator(folder.string(), platform::kSeparator)),
                    notifier);
                Counters counters(files);
                RecordFiles records(files, counters, "00000001");
                state.ResumeTiming();
                const ImportResult result = importRegister(records, m_file, {}, reading);
                state.PauseTiming();
                if (result.taken != kUnits * kEmployeesPerUnit || result.unitsAdded != kUnits ||
                    result.employeesAdded != kUnits * kEmployeesPerUnit)
                    state.SkipWithError("the import did not add every unit and employee");
            }
            std::filesystem::remove_all(folder);
            state.ResumeTiming();
        }
        state.SetItemsProcessed(state.iterations() * kUnits * kEmployeesPerUnit);
    }

private:
    std::filesystem::path m_inputs;
    std::string m_file;
};

BENCHMARK_DEFINE_F(ImportFixture, ReusingUnchangedReadings)(benchmark::State& state)
{
    run(state, ImportReading::ReuseUnchanged);
}
BENCHMARK_REGISTER_F(ImportFixture, ReusingUnchangedReadings)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_DEFINE_F(ImportFixture, ReadingEveryLineAfresh)(benchmark::State& state)
{
    run(state, ImportReading::EveryLineAfresh);
}
BENCHMARK_REGISTER_F(ImportFixture, ReadingEveryLineAfresh)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
