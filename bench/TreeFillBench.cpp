// The fill of the navigation tree for a unit of 500 employees and one of 50, each employee with
// ten appraisals, against the floor: plain open, read and close of the same files, one after
// another, each read whole. The fill runs through the program's own panel and services, under
// the offscreen platform, with every outside seam replaced as in the GUI tests.
//
// Both are timed on a warm cache, alternately, in the same run; after Google Benchmark's own
// report a summary line per unit gives the median of each and their ratio. The data directory
// goes to the system's temporary folder (TMPDIR) and is removed at the end.
#include "TaviroTypeCode.h"

#include "DesktopShell.h"
#include "Environment.h"
#include "MessageDialogs.h"
#include "NavigationPanel.h"
#include "Services.h"
#include "TextPrinter.h"
#include "UserSettings.h"

#include <QApplication>
#include <QDialog>

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

namespace {

constexpr int kAppraisalsPerEmployee = 10;
constexpr int kSummaryRuns = 41;
constexpr int kWarmUpRuns = 5;

const char* const kFirstNames[] = {"Anna",     "Małgorzata", "Żaneta",  "Łucja",    "Jan",       "Piotr",  "Świętosław",
                                   "Grzegorz", "Bożena",     "Jadwiga", "Zdzisław", "Agnieszka", "Łukasz", "Ewa"};
const char* const kSurnames[] = {"Nowak",       "Kowalska",   "Wiśniewski", "Wójcik",    "Kamińska",
                                 "Lewandowski", "Zieliński",  "Szymańska",  "Woźniak",   "Dąbrowski",
                                 "Kozłowska",   "Jankowski",  "Mazur",      "Krawczyk",  "Piotrowska",
                                 "Grabowski",   "Nowakowska", "Pawłowski",  "Michalska", "Król"};
const char* const kPositions[] = {"Inspektor", "Podinspektor",       "Starszy inspektor",
                                  "Referent",  "Główny specjalista", "Kierownik referatu"};
const char* const kCriteria[] = {"Sumienność",
                                 "Sprawność",
                                 "Bezstronność",
                                 "Umiejętność stosowania odpowiednich przepisów",
                                 "Planowanie i organizowanie pracy",
                                 "Umiejętność obsługi urządzeń biurowych i programów komputerowych",
                                 "Komunikacja werbalna",
                                 "Komunikacja pisemna",
                                 "Postawa etyczna",
                                 "Zarządzanie zasobami",
                                 "Kreatywność",
                                 "Umiejętność negocjowania"};
const char* const kLevels[] = {"niezadowalający", "zadowalający", "dobry", "bardzo dobry", "wysoki"};
const char* const kGrades[] = {"pozytywna", "negatywna"};
const char* const kWords[] = {
    "pracownik",
    "wykonuje",
    "powierzone",
    "zadania",
    "terminowo",
    "rzetelnie",
    "wykazuje",
    "się",
    "dużą",
    "znajomością",
    "przepisów",
    "prawa",
    "w",
    "zakresie",
    "obsługi",
    "mieszkańców",
    "oraz",
    "współpracy",
    "z",
    "jednostkami",
    "gminy",
    "należy",
    "zwrócić",
    "uwagę",
    "na",
    "potrzebę",
    "doskonalenia",
    "umiejętności",
    "pisania",
    "pism",
    "urzędowych",
    "i",
    "decyzji",
    "administracyjnych",
    "jest",
    "życzliwy",
    "wobec",
    "interesantów",
    "ponadto",
    "uczestniczył",
    "szkoleniach",
    "dotyczących",
    "ochrony",
    "danych",
    "osobowych",
    "zamówień",
    "publicznych",
    "źródeł",
};

// Deterministic text: sentences of Polish words, some of them on lines of their own ("#$").
class TextMaker
{
public:
    std::string sentences(int minLength, int maxLength)
    {
        const int length = number(minLength, maxLength);
        std::string text;
        bool sentenceStart = true;
        while (static_cast<int>(text.size()) < length) {
            std::string word = kWords[number(0, std::size(kWords) - 1)];
            if (sentenceStart && word[0] >= 'a' && word[0] <= 'z')
                word[0] = static_cast<char>(word[0] - 'a' + 'A');
            if (!text.empty() && !sentenceStart)
                text += ' ';
            text += word;
            sentenceStart = false;
            if (number(0, 9) == 0) {
                text += number(0, 2) == 0 ? ".#$" : ". ";
                sentenceStart = true;
            }
        }
        return text + ".";
    }
    std::string date()
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02d-%02d-%04d", number(1, 28), number(1, 12), number(2008, 2025));
        return text;
    }
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    template <std::size_t N> const char* pick(const char* const (&list)[N]) { return list[number(0, N - 1)]; }

private:
    std::mt19937 m_random{20240611};
};

struct Line
{
    std::string key;
    std::string value;
};

// A record as the program appends it, in Windows-1250 with CR LF.
std::string storedRecord(const std::string& id, const std::vector<Line>& lines, std::string_view deletionKey,
                         bool deleted)
{
    std::string text = "{\r\nID=" + id + "\r\n";
    for (const Line& line : lines)
        text += utf8ToCp1250(line.key + line.value) + "\r\n";
    text += std::string(deletionKey) + (deleted ? "1" : "0") + "\r\n}\r\n\r\n";
    return text;
}

struct Person
{
    std::string id;
    std::string firstName;
    std::string surname;
    std::string position;
};

std::string appraisalRecord(TextMaker& text, const std::string& id, const Person& person, const std::string& unit,
                            bool deleted)
{
    namespace a = keys::appraisal;
    const std::string fullName = person.firstName + " " + person.surname;
    std::vector<Line> lines = {
        {std::string(a::kFirm), "Urząd Miasta i Gminy w Łęczycy"},
        {std::string(a::kName), person.firstName},
        {std::string(a::kSurname), person.surname},
        {std::string(a::kCell), unit},
        {std::string(a::kPosition), person.position},
        {std::string(a::kEmploy), "1"},
        {std::string(a::kDate1), text.date()},
        {std::string(a::kDate2), text.date()},
        {std::string(a::kOldGrade), text.pick(kGrades)},
        {std::string(a::kOldDate), text.date()},
        {std::string(a::kCity), "Łęczyca"},
        {std::string(a::kDate), text.date()},
        {std::string(a::kInfoDate), text.date()},
        {std::string(a::kInfoTime), "10:30:00"},
        {std::string(a::kInfoDate2), text.date()},
    };
    const int criteria = text.number(4, 6);
    for (int n = 1; n <= a::kCriterionSlots; ++n)
        lines.push_back({a::criterion(n), n <= criteria ? kCriteria[(n * 5 + criteria) % std::size(kCriteria)] : ""});
    const std::vector<Line> partB = {
        {std::string(a::kCriterionName), text.pick(kCriteria)},
        {std::string(a::kCriterionNote), text.sentences(60, 240)},
        {std::string(a::kGradeMonth), std::to_string(text.number(1, 12))},
        {std::string(a::kGradeYear), std::to_string(text.number(2010, 2025))},
        {std::string(a::kGradeName), "Jan Kowalski"},
        {std::string(a::kGradePosition), "Naczelnik Wydziału Organizacyjnego"},
        {std::string(a::kGradeDate), text.date()},
        {std::string(a::kBossNote), text.sentences(40, 200)},
        {std::string(a::kBossName), "Zdzisław Grabowski"},
        {std::string(a::kBossCity), "Łęczyca"},
        {std::string(a::kEvaluatorName), "Jan"},
        {std::string(a::kEvaluatorSurname), "Kowalski"},
        {std::string(a::kEvaluatorPosition), "Naczelnik Wydziału Organizacyjnego"},
        {std::string(a::kEvaluatorDate), text.date()},
        {std::string(a::kOpinion), text.sentences(300, 1200)},
        {std::string(a::kAppraisedPerson), fullName},
        {std::string(a::kPeriodStart), text.date()},
        {std::string(a::kPeriodEnd), text.date()},
    };
    lines.insert(lines.end(), partB.begin(), partB.end());
    const int rows = text.number(6, 12);
    for (int n = 1; n <= rows; ++n) {
        lines.push_back({a::criterionRowName(n), kCriteria[(n + rows) % std::size(kCriteria)]});
        lines.push_back({a::criterionRowLevel(n), text.pick(kLevels)});
    }
    const std::vector<Line> partD = {
        {std::string(a::kGrade), text.pick(kGrades)},   {std::string(a::kGradeCity), "Łęczyca"},
        {std::string(a::kGradeDrawnUp), text.date()},   {std::string(a::kAcknowledgedName), fullName},
        {std::string(a::kAcknowledgedCity), "Łęczyca"}, {std::string(a::kDocument), "Rozmowa" + id + ".rtf"},
    };
    lines.insert(lines.end(), partD.begin(), partD.end());
    return storedRecord(id, lines, a::kDelete, deleted);
}

std::string employeeRecord(TextMaker& text, const Person& person, bool deleted)
{
    namespace e = keys::employee;
    const std::vector<Line> lines = {
        {std::string(e::kName), person.firstName},
        {std::string(e::kSurname), person.surname},
        {std::string(e::kPosition), person.position},
        {std::string(e::kEmploy), "1"},
        {std::string(e::kDate1), text.date()},
        {std::string(e::kDate2), text.date()},
        {std::string(e::kDuty1), text.sentences(40, 300)},
        {std::string(e::kDuty2), text.sentences(20, 150)},
    };
    return storedRecord(person.id, lines, e::kDelete, deleted);
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::filesystem::path freshFolder(const std::string& stem)
{
    static std::mt19937_64 random(std::random_device{}());
    for (;;) {
        auto folder = std::filesystem::temp_directory_path() / (stem + std::to_string(random()));
        if (std::filesystem::create_directory(folder))
            return folder;
    }
}

// One generated unit: what the tree must show and the files the fill reads.
struct UnitData
{
    int id = 0;
    int employees = 0;
    int liveAppraisals = 0;
    std::vector<std::string> files; // full paths: the employee file, then each live employee's file
    std::uint64_t bytes = 0;
};

// The units get identifiers 1, 2, … in the order given. Every twentieth employee record is a
// deleted one with no appraisal file (the fill never reads it); of each employee's ten
// appraisals two are deleted.
std::vector<UnitData> writeDataDirectory(const std::filesystem::path& folder, std::initializer_list<int> unitSizes)
{
    TextMaker text;
    std::vector<UnitData> units;
    std::string cells;
    int nextEmployee = 1;
    int nextAppraisal = 1;
    for (const int size : unitSizes) {
        UnitData unit;
        unit.id = static_cast<int>(units.size()) + 1;
        unit.employees = size;
        const std::string unitName = "Wydział Organizacyjny " + std::to_string(unit.id);
        const std::vector<Line> cell = {
            {std::string(keys::unit::kFirm), "Urząd Miasta i Gminy"},
            {std::string(keys::unit::kCity), "Łęczyca"},
            {std::string(keys::unit::kName), unitName},
            {std::string(keys::unit::kPerson), "Jan Kowalski"},
            {std::string(keys::unit::kPosition), "Naczelnik"},
            {std::string(keys::unit::kDate), "01-02-2010"},
        };
        cells += storedRecord(identifierText(unit.id), cell, keys::unit::kDelete, false);

        const auto employeeFile = folder / employeesFileName(identifierText(unit.id));
        unit.files.push_back(employeeFile.string());
        std::string employees;
        for (int live = 0; live < size;) {
            const int n = nextEmployee++;
            const bool deleted = n % 20 == 0;
            const Person person{identifierText(n), kFirstNames[n % std::size(kFirstNames)],
                                kSurnames[(n / 3) % std::size(kSurnames)], text.pick(kPositions)};
            employees += employeeRecord(text, person, deleted);
            if (deleted)
                continue;
            ++live;
            std::string appraisals;
            for (int k = 0; k < kAppraisalsPerEmployee; ++k) {
                const bool gone = k == 3 || k == 7;
                appraisals += appraisalRecord(text, identifierText(nextAppraisal++), person, unitName, gone);
                unit.liveAppraisals += gone ? 0 : 1;
            }
            const auto appraisalFile = folder / appraisalsFileName(person.id);
            writeFile(appraisalFile, appraisals);
            unit.files.push_back(appraisalFile.string());
            unit.bytes += appraisals.size();
        }
        writeFile(employeeFile, employees);
        unit.bytes += employees.size();
        units.push_back(std::move(unit));
    }
    writeFile(folder / unitsFileName(), cells);
    return units;
}

// The floor: each file opened, read whole into one reused buffer and closed, one after another.
// A read that returns less than it was asked for has reached the end of a regular file.
std::uint64_t readPlainly(const std::vector<std::string>& files, std::vector<char>& buffer)
{
    std::uint64_t total = 0;
    for (const std::string& path : files) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw std::runtime_error("cannot open " + path);
        for (;;) {
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            if (got < 0)
                throw std::runtime_error("cannot read " + path);
            total += static_cast<std::uint64_t>(got);
            if (static_cast<std::size_t>(got) < buffer.size())
                break;
        }
        ::close(fd);
    }
    return total;
}

// The seams the program's services need, as the GUI tests have them.
class StoppedClock : public Clock
{
public:
    Date today() const override { return {2026, 3, 5}; }
    TimeOfDay now() const override { return {9, 7, 3}; }
};

struct Program
{
    explicit Program(const std::filesystem::path& folder)
        : environment{dialogs,
                      shell,
                      settings,
                      printer,
                      clock,
                      [](Accounts&, QWidget*) {
                          return ui::LoginAnswer{true, QStringLiteral("Administrator"), QStringLiteral("TAVIRO")};
                      },
                      [](QDialog& dialog) { dialog.reject(); }},
          services(DataDirectory(DataDirectory::withTrailingSeparator(folder.string(), platform::kSeparator)),
                   environment),
          panel(services)
    {
        services.beginSession();
        services.session().user = "Administrator";
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

    widgets::ScriptedMessageDialogs dialogs;
    RecordingDesktopShell shell;
    MemoryUserSettings settings;
    RecordingTextPrinter printer;
    StoppedClock clock;
    ui::Environment environment;
    ui::Services services;
    ui::NavigationPanel panel;
};

double millisecondsOf(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

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
