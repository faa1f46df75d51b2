// The whole program at the size of the largest office: 100 units (one of 500 employees, the others of
// 45), each employee with ten appraisals, 50,000 in all. Measured through the real main window under
// the offscreen platform, with every outside seam replaced as in the GUI tests:
//
//   start-up       the window made and shown until it is filled (the login answered at once);
//   pick unit      the unit of 500 employees chosen in the unit list, its tree filled;
//   continue       a stored appraisal opened to be continued (page A shown);
//   save           that sheet saved from page A;
//   delete         an appraisal deleted (the question answered yes);
//   import         5,000 lines into an empty data folder;
//   print          all five parts of one appraisal into a PDF file.
//
// Each figure stands beside its floor, measured in the same run on the same files: the files the
// operation reads, opened, read whole and closed; or the files it writes, written whole to a new
// file, forced to disk and renamed into place. Run through bench/run-counted.sh, the file-system
// calls of one operation stand beside the floor's as well (on a network share each is a round
// trip; --latency-us adds one to every call). The data goes to TMPDIR and is removed at the end.
#include "CallCounts.h"
#include "GeneratedOffice.h"
#include "ImportFile.h"
#include "ProgramSeams.h"

#include "CommandBar.h"
#include "NavigationPanel.h"
#include "TaviroMainCode.h"

#include "AppraisalRecord.h"
#include "Import.h"
#include "Register.h"
#include "SheetArchive.h"
#include "SheetPrint.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

using namespace taviro;
using namespace taviro::bench;
using ui::Command;

namespace {

constexpr int kLargeUnit = 500;
constexpr int kOtherUnits = 99;
constexpr int kOtherUnitSize = 45;
constexpr int kRuns = 7;

struct Figure
{
    std::vector<double> times;
    std::vector<double> floors;
    std::optional<CallCounts> calls; // of the last run
    std::optional<CallCounts> floorCalls;
};

// Runs the operation and its floor alternately; the calls are those of the last run.
Figure measure(const std::function<void(int run)>& prepare, const std::function<void(int run)>& operation,
               const std::function<void(int run)>& floor, int runs = kRuns)
{
    Figure figure;
    for (int run = 0; run < runs; ++run) {
        prepare(run);
        if (std::getenv("TAVIRO_CALL_TRACE"))
            std::fprintf(stderr, "-- operation, run %d\n", run);
        const auto before = callsSoFar();
        figure.times.push_back(millisecondsOf([&] { operation(run); }));
        const auto between = callsSoFar();
        if (std::getenv("TAVIRO_CALL_TRACE"))
            std::fprintf(stderr, "-- floor\n");
        figure.floors.push_back(millisecondsOf([&] { floor(run); }));
        const auto after = callsSoFar();
        if (before && between && after) {
            figure.calls = *between - *before;
            figure.floorCalls = *after - *between;
        }
    }
    return figure;
}

void report(const char* name, const Figure& figure)
{
    const double time = median(figure.times);
    const double floor = median(figure.floors);
    std::printf("%-11s %9.2f ms  floor %8.2f ms  ratio %6.2f", name, time, floor, time / floor);
    if (figure.calls && figure.floorCalls) {
        const auto calls = static_cast<double>(figure.calls->total());
        const auto floorCalls = static_cast<double>(figure.floorCalls->total());
        std::printf("  calls %7.0f  floor %7.0f  ratio %5.2f\n", calls, floorCalls, calls / floorCalls);
        std::printf("            operation: %s\n            floor:     %s\n", callsText(*figure.calls).c_str(),
                    callsText(*figure.floorCalls).c_str());
    } else {
        std::printf("\n");
    }
}

void processEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 60000)
            throw std::runtime_error("the program did not get there within a minute");
        QApplication::processEvents(QEventLoop::AllEvents, 1);
    }
}

std::string contentOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Makes the names in a folder durable: a renamed or new file survives a power cut only after it.
void syncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0 || ::close(fd) != 0)
        throw std::runtime_error("cannot sync " + folder.string());
}

// The floor of a durable write: the content written whole to a new file in the same folder, forced
// to disk and renamed over the file; then the folder synced, unless the caller syncs it once for
// several files.
void writeDurably(const std::string& path, const std::string& content, bool folderToo = true)
{
    const std::string working = path + ".floor";
    const int out = ::open(working.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0 || ::write(out, content.data(), content.size()) != static_cast<ssize_t>(content.size()) ||
        ::fsync(out) != 0 || ::close(out) != 0 || ::rename(working.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot write " + path);
    if (folderToo)
        syncFolder(std::filesystem::path(path).parent_path());
}

// The floor of a rewrite: the file read whole, then written durably.
void rewriteDurably(const std::string& path, std::vector<char>& buffer)
{
    const auto size = static_cast<std::size_t>(readPlainly({path}, buffer));
    writeDurably(path + ".copy", std::string(buffer.data(), size));
}

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

class Office
{
public:
    explicit Office(const std::filesystem::path& root) : m_root(root), m_data(root / "office")
    {
        std::filesystem::create_directory(m_data);
        std::vector<int> sizes(kOtherUnits + 1, kOtherUnitSize);
        sizes.front() = kLargeUnit;
        m_units = writeDataDirectory(m_data, sizes);
        m_importFile = writeImportFile(root, 100, 50);
    }

    DataDirectory directory() const
    {
        return DataDirectory(DataDirectory::withTrailingSeparator(m_data.string(), platform::kSeparator));
    }
    const UnitData& largeUnit() const { return m_units.front(); }
    std::string appraisalFile(int employee) const { return largeUnit().files.at(1 + employee); }
    const std::filesystem::path& root() const { return m_root; }
    const std::string& importFile() const { return m_importFile; }
    std::string unitsFile() const { return (m_data / unitsFileName()).string(); }

private:
    std::filesystem::path m_root;
    std::filesystem::path m_data;
    std::vector<UnitData> m_units;
    std::string m_importFile;
};

class Program
{
public:
    explicit Program(const Office& office) : m_office(office) {}

    void start()
    {
        m_window.reset();
        m_window = std::make_unique<ui::TTaviroMainForm>(m_office.directory(), m_seams.environment);
        m_window->resize(1000, 700);
        m_window->show();
        processEventsUntil([this] { return m_window->isStarted(); });
    }

    void pickUnit(int id)
    {
        QComboBox* list = m_window->navigation()->unitList();
        const int index = list->findData(id);
        list->setCurrentIndex(index);
        emit list->activated(index); // as the user's pick
        QApplication::processEvents();
        if (m_window->navigation()->tree()->topLevelItemCount() == 0)
            throw std::runtime_error("the tree shows nobody");
    }

    // The first appraisal of the employee at that row of the tree.
    void selectAppraisal(int employee)
    {
        QTreeWidget* tree = m_window->navigation()->tree();
        tree->setCurrentItem(tree->topLevelItem(employee)->child(0));
    }

    void run(Command command)
    {
        m_window->commands()->menuItem(command)->trigger();
        QApplication::processEvents();
    }

    void click(const char* name)
    {
        m_window->findChild<QPushButton*>(QString::fromLatin1(name))->click();
        QApplication::processEvents();
    }

    void answerYes() { m_seams.dialogs.answers = {true}; }
    ui::PageId page() const { return m_window->session().currentPage; }
    const QStringList& informations() const { return m_seams.dialogs.informations; }

private:
    const Office& m_office;
    ProgramEnvironment m_seams;
    std::unique_ptr<ui::TTaviroMainForm> m_window;
};

void measureWindow(const Office& office, Program& program)
{
    std::vector<char> buffer(8 << 20);
    const UnitData& large = office.largeUnit();
    // The start-up reads the unit file and fills the tree of the first unit, the large one.
    std::vector<std::string> startFiles = large.files;
    startFiles.insert(startFiles.begin(), office.unitsFile());
    report("start-up",
           measure([](int) {}, [&](int) { program.start(); }, [&](int) { readPlainly(startFiles, buffer); }));
    std::printf("            resident memory after start-up: %ld kB\n", residentKilobytes());

    report("pick unit", measure([&](int) { program.pickUnit(2); }, [&](int) { program.pickUnit(large.id); },
                                [&](int) { readPlainly(large.files, buffer); }));

    Figure continued;
    Figure saved;
    for (int run = 0; run < kRuns; ++run) {
        const std::string file = office.appraisalFile(run);
        const auto one = [&](Figure& figure, const std::function<void()>& operation,
                             const std::function<void()>& floor) {
            const Figure single = measure([](int) {}, [&](int) { operation(); }, [&](int) { floor(); }, 1);
            figure.times.push_back(single.times.front());
            figure.floors.push_back(single.floors.front());
            figure.calls = single.calls;
            figure.floorCalls = single.floorCalls;
        };
        program.selectAppraisal(run);
        // The sheet shows the employee's record too: the unit's file is read with the appraisals'.
        one(
            continued, [&] { program.run(Command::ContinueAppraisal); },
            [&] {
                readPlainly({large.files.front(), file}, buffer);
            });
        if (program.page() != ui::PageId::GradeA)
            throw std::runtime_error("the sheet did not open on page A");
        one(
            saved, [&] { program.click("TaviroGradeAOkButton"); }, [&] { rewriteDurably(file, buffer); });
        if (program.page() != ui::PageId::Start || !program.informations().empty())
            throw std::runtime_error("the sheet was not saved");
    }
    report("continue", continued);
    report("save", saved);

    report("delete", measure([&](int run) { program.selectAppraisal(kRuns + run); },
                             [&](int) {
                                 program.answerYes();
                                 program.run(Command::DeleteAppraisal);
                             },
                             [&](int run) {
                                 // The appraisal's file rewritten, and the unit's tree read afresh.
                                 rewriteDurably(office.appraisalFile(kRuns + run), buffer);
                                 readPlainly(large.files, buffer);
                             }));
}

void measureImport(const Office& office)
{
    ConsoleWaitNotifier notifier;
    report("import", measure([](int) {},
                             [&](int run) {
                                 const auto folder = office.root() / ("import" + std::to_string(run));
                                 std::filesystem::create_directory(folder);
                                 SharedFileAccess files(DataDirectory(DataDirectory::withTrailingSeparator(
                                                            folder.string(), platform::kSeparator)),
                                                        notifier);
                                 Counters counters(files);
                                 RecordFiles records(files, counters, "00000001");
                                 if (importRegister(records, office.importFile()).taken != 5000)
                                     throw std::runtime_error("the import did not take every line");
                             },
                             [&](int run) {
                                 // The files the import made, each written once.
                                 const auto made = office.root() / ("import" + std::to_string(run));
                                 const auto floor = office.root() / ("import-floor" + std::to_string(run));
                                 std::filesystem::create_directory(floor);
                                 std::vector<char> buffer(8 << 20);
                                 readPlainly({office.importFile()}, buffer);
                                 for (const auto& entry : std::filesystem::directory_iterator(made)) {
                                     if (entry.is_regular_file())
                                         writeDurably((floor / entry.path().filename()).string(),
                                                      contentOf(entry.path().string()), false);
                                 }
                                 syncFolder(floor); // once for all the new names
                             },
                             3));
}

void measurePrint(const Office& office)
{
    ConsoleWaitNotifier notifier;
    SharedFileAccess files(office.directory(), notifier);
    Counters counters(files);
    RecordFiles records(files, counters, "00000000");
    AppraisalRegister appraisals(records);
    EmployeeRegister employees(records);
    const auto sheets = print::liveAppraisalsOfUnit(employees, appraisals, identifierText(office.largeUnit().id));
    std::vector<char> buffer(8 << 20);
    const QString pdf = QString::fromStdString((office.root() / "sheet.pdf").string());
    report("print", measure([](int) {},
                            [&](int run) {
                                if (!print::writeSheetsPdf(appraisals, {sheets.at(static_cast<std::size_t>(run))},
                                                           print::kAllParts, pdf))
                                    throw std::runtime_error("the PDF file was not written");
                            },
                            [&](int run) {
                                const std::string file =
                                    (office.root() / "office" / appraisalsFileName(sheets.at(run).employeeId)).string();
                                readPlainly({file}, buffer);
                                writeDurably(pdf.toStdString() + ".floor", contentOf(pdf.toStdString()));
                            }));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto root = freshFolder("taviro-bench-program-");
    int status = 0;
    try {
        const Office office(root);
        watchCallsUnder(root.string());
        if (!callsSoFar())
            std::printf("(file-system calls not counted: run through bench/run-counted.sh)\n");
        std::printf("%d employees in %d units, %d appraisals; medians of %d runs\n",
                    kLargeUnit + kOtherUnits * kOtherUnitSize, kOtherUnits + 1,
                    (kLargeUnit + kOtherUnits * kOtherUnitSize) * kAppraisalsPerEmployee, kRuns);
        {
            Program program(office);
            measureWindow(office, program);
        }
        measureImport(office);
        measurePrint(office);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(root);
    return status;
}
