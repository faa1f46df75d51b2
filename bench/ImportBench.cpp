// The import of a 5,000-line file (100 units of 50 employees) into an empty data directory, once
// with the readings of Cell.dat and the employee files reused while they are unchanged and once
// reading them afresh for every line.
//
// The data directories go to the system's temporary folder (TMPDIR): on a disk the flushes of
// every append weigh most, on a memory file system (TMPDIR=/dev/shm) the reading and parsing.
#include "GeneratedOffice.h"
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

const char* const kUnitNames[] = {"Wydział Finansowy",
                                  "Wydział Organizacyjny",
                                  "Referat Gospodarki Komunalnej",
                                  "Urząd Stanu Cywilnego",
                                  "Straż Miejska",
                                  "Wydział Oświaty i Sportu",
                                  "Biuro Rady",
                                  "Referat Podatków i Opłat",
                                  "Wydział Geodezji",
                                  "Kancelaria"};
const char* const kFirstNames[] = {"Anna",     "Małgorzata", "Żaneta",  "Łucja",    "Jan",       "Piotr",  "Świętosław",
                                   "Grzegorz", "Bożena",     "Jadwiga", "Zdzisław", "Agnieszka", "Łukasz", "Ewa"};
const char* const kSurnames[] = {"Nowak",       "Kowalska",   "Wiśniewski", "Wójcik",    "Kamińska",
                                 "Lewandowski", "Zieliński",  "Szymańska",  "Woźniak",   "Dąbrowski",
                                 "Kozłowska",   "Jankowski",  "Mazur",      "Krawczyk",  "Piotrowska",
                                 "Grabowski",   "Nowakowska", "Pawłowski",  "Michalska", "Król"};

// 100 units, each given by its lines one after another, 50 employees with different names each.
std::string writeImportFile(const std::filesystem::path& folder)
{
    std::string text;
    for (int unit = 0; unit < kUnits; ++unit) {
        const std::string unitName =
            std::string(kUnitNames[unit % 10]) + (unit >= 10 ? " " + std::to_string(unit / 10 + 1) : "");
        for (int e = 0; e < kEmployeesPerUnit; ++e) {
            const int n = unit * kEmployeesPerUnit + e;
            const std::string line = "Urząd Miasta i Gminy\tŁęczyca\t" + unitName +
                                     "\tJan Kowalski\tNaczelnik Wydziału\t" + kFirstNames[n % 14] + "\t" +
                                     kSurnames[(n / 14) % 20] + "\tInspektor\t" + std::to_string(n % 2) +
                                     "\t01-02-2010\t15-06-2018";
            text += utf8ToCp1250(line) + "\r\n";
        }
    }
    const auto path = folder / "Import.txt";
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    return path.string();
}

class ImportFixture : public benchmark::Fixture
{
public:
    void SetUp(const benchmark::State&) override
    {
        m_inputs = freshFolder("taviro-bench-input-");
        m_file = writeImportFile(m_inputs);
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
