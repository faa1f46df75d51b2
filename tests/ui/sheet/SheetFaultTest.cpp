// A disk that fills up and a data directory that turns read-only while an appraisal is saved, new or
// continued, deleted or printed into a PDF file: the general error message, the appraisal file as it
// was, nothing held open or left in Temp, the sheet still open with what the user typed; and the
// same operation goes through once the fault is gone.
#include "MainWindowFixture.h"

#include "CommandBar.h"
#include "NavigationPanel.h"
#include "PainterCanvas.h"
#include "SystemPrintTarget.h"
#include "UserOperation.h"

#include "TextCodec.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>

#ifndef _WIN32
#include <sys/resource.h>
#endif

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;
using taviro::ui::PageId;

namespace {

#ifdef _WIN32
constexpr platform::ErrorCode kDiskFull = 112; // ERROR_DISK_FULL
constexpr platform::ErrorCode kReadOnly = 19;  // ERROR_WRITE_PROTECT
#else
constexpr platform::ErrorCode kDiskFull = ENOSPC;
constexpr platform::ErrorCode kReadOnly = EROFS;
#endif

struct DiskFault
{
    const char* name;
    platform::ErrorCode error;
    std::size_t bytesBeforeFailure;
    // A full disk still takes the four bytes of a counter, which overwrite blocks the counter has.
    bool countersWritten;
};

const DiskFault kFullDisk{"FullDisk", kDiskFull, 40, true};
const DiskFault kReadOnlyDirectory{"ReadOnly", kReadOnly, 0, false};

// Every write of the data directory fails as the fault says.
class FailingDisk : public FaultInjector
{
public:
    explicit FailingDisk(const DiskFault& fault) : m_fault(fault) {}
    platform::ErrorCode beforeWrite(const std::string& name) override
    {
        const bool counter = name.size() > 4 && name.compare(name.size() - 4, 4, ".cou") == 0;
        return counter && m_fault.countersWritten ? 0 : m_fault.error;
    }
    platform::ErrorCode beforeRead(const std::string&) override { return 0; }
    std::size_t bytesWrittenBeforeFailure(const std::string&) override { return m_fault.bytesBeforeFailure; }

private:
    DiskFault m_fault;
};

struct Operation
{
    const char* name;
    Command command;
    PageId page;       // where the save is clicked (the start page for the deletion)
    const char* field; // what the user types before saving
    const char* save;
};

const Operation kSaveNew{"SaveNew", Command::NewAppraisal, PageId::GradeD, "TaviroGradeDEdit2", "TaviroGradeDOkButton"};
const Operation kSaveContinued{"SaveContinued", Command::ContinueAppraisal, PageId::GradeE, "TaviroGradeEEdit2",
                               "TaviroGradeEOkButton"};
const Operation kDelete{"Delete", Command::DeleteAppraisal, PageId::Start, nullptr, nullptr};

const QString kTyped = QStringLiteral("Skępe");

// Cases named in the test output instead of dumped as bytes.
void PrintTo(const DiskFault& fault, std::ostream* out)
{
    *out << fault.name;
}
void PrintTo(const Operation& operation, std::ostream* out)
{
    *out << operation.name;
}

// The platform's printer, told to print into a file instead of asking in its dialog.
class PdfFileTarget : public print::SystemPrintTarget
{
public:
    bool choosePrinter(QWidget*) override
    {
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(path);
        return true;
    }
    QString path;
};

class SheetFaultBase
{
protected:
    void startWindow()
    {
        fixture.dir.write("Cell.dat", recordFile({unitRecord("000001", "Referat Organizacyjny")}));
        fixture.dir.write("Pe000001.dat", recordFile({employeeRecord("000005", "Małgorzata", "Wiśniewska")}));
        fixture.dir.write("Gr000005.dat", recordFile({appraisalRecord("000100", "30-06-2024")}));
        fixture.start();
        ASSERT_TRUE(fixture.window->isStarted());
    }

    template <typename T = QWidget> T* control(const char* name)
    {
        T* found = fixture.window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void run(Command command) { fixture.window->commands()->menuItem(command)->trigger(); }
    PageId page() const { return fixture.window->session().currentPage; }
    QTreeWidget* tree() const { return fixture.window->navigation()->tree(); }
    SharedFileAccess& files() { return fixture.window->services().files(); }

    // What must hold after any failed operation: the one general message, the appraisal file
    // byte for byte, nothing open, no lock held, nothing in Temp.
    void expectNothingChangedOrHeld(const std::string& before)
    {
        ASSERT_EQ(fixture.dialogs.informations.size(), 1);
        EXPECT_TRUE(fixture.dialogs.informations[0].startsWith(ui::fileErrorText(std::runtime_error(""))))
            << fixture.dialogs.informations[0].toStdString();
        EXPECT_EQ(fixture.dir.read("Gr000005.dat"), before);
        CountingNotifier notifier;
        SharedFileAccess other(fixture.dir.directory(), notifier);
        EXPECT_NO_THROW(other.openOnce("Gr000005.dat", OpenKind::BinaryRead).close()) << "the lock is free at once";
        std::error_code ec;
        EXPECT_TRUE(std::filesystem::is_empty(fixture.dir.file("Temp"), ec)) << "nothing left in Temp";
#ifdef __linux__
        const std::string data = fixture.dir.directory().path();
        for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
            const std::string target = std::filesystem::read_symlink(entry.path(), ec).string();
            EXPECT_NE(target.rfind(data, 0), 0u) << "still open: " << target;
        }
#endif
    }

    // Opens the sheet and goes to the page of the save with something typed on it.
    void prepare(const Operation& operation)
    {
        if (operation.command == Command::DeleteAppraisal)
            return;
        tree()->setCurrentItem(operation.command == Command::NewAppraisal ? tree()->topLevelItem(0)
                                                                          : tree()->topLevelItem(0)->child(0));
        run(operation.command);
        for (const char* next :
             {"TaviroGradeANextButton", "TaviroGradeBNextButton", "TaviroGradeCNextButton", "TaviroGradeDNextButton"}) {
            if (page() == operation.page)
                break;
            control<QPushButton>(next)->click();
        }
        ASSERT_EQ(page(), operation.page);
        control<QLineEdit>(operation.field)->setText(kTyped);
    }
    void carryOut(const Operation& operation)
    {
        if (operation.save) {
            control<QPushButton>(operation.save)->click();
            return;
        }
        tree()->setCurrentItem(tree()->topLevelItem(0)->child(0));
        fixture.dialogs.answers = {true};
        run(operation.command);
    }

    MainWindowFixture fixture;
};

class SheetFault : public SheetFaultBase, public ::testing::TestWithParam<std::tuple<Operation, DiskFault>>
{
protected:
    void SetUp() override { startWindow(); }
};

std::string caseName(const ::testing::TestParamInfo<std::tuple<Operation, DiskFault>>& info)
{
    return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
}

} // namespace

TEST_P(SheetFault, AFailedWriteKeepsTheFileAndTheSheetAndTheSameOperationWorksAfterwards)
{
    const auto& [operation, fault] = GetParam();
    const std::string before = fixture.dir.read("Gr000005.dat");
    prepare(operation);
    FailingDisk disk(fault);
    files().setFaultInjector(&disk);
    carryOut(operation);
    files().setFaultInjector(nullptr);

    expectNothingChangedOrHeld(before);
    EXPECT_EQ(page(), operation.page);
    if (operation.field) {
        EXPECT_EQ(control<QLineEdit>(operation.field)->text(), kTyped) << "the input is still there";
        EXPECT_TRUE(fixture.window->commands()->isLocked()) << "the sheet is still open";
    } else {
        EXPECT_FALSE(fixture.window->commands()->isLocked());
        EXPECT_EQ(tree()->topLevelItem(0)->childCount(), 1);
        EXPECT_EQ(fixture.window->focusWidget(), tree());
    }

    // The fault gone, the same click does it.
    carryOut(operation);
    EXPECT_EQ(fixture.dialogs.informations.size(), 1u);
    EXPECT_EQ(page(), PageId::Start);
    EXPECT_FALSE(fixture.window->commands()->isLocked());
    const std::string after = cp1250ToUtf8(fixture.dir.read("Gr000005.dat"));
    if (operation.command == Command::DeleteAppraisal) {
        EXPECT_NE(after.find("DELETE=1"), std::string::npos);
        EXPECT_EQ(tree()->topLevelItem(0)->childCount(), 0);
    } else {
        EXPECT_NE(after.find("=" + kTyped.toStdString() + "\r\n"), std::string::npos);
        EXPECT_EQ(tree()->topLevelItem(0)->childCount(), operation.command == Command::NewAppraisal ? 2 : 1);
    }
    if (operation.command == Command::NewAppraisal) {
        EXPECT_EQ(fixture.dir.read("Gr000005.dat").substr(0, before.size()), before) << "appended after the old one";
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, SheetFault,
                         ::testing::Combine(::testing::Values(kSaveNew, kSaveContinued, kDelete),
                                            ::testing::Values(kFullDisk, kReadOnlyDirectory)),
                         caseName);

#ifndef _WIN32
namespace {

// Puts a folder where the appraisal file is while a rewrite reads it, so that the copy cannot take
// the file's place (as Windows refuses it while another program holds the file open).
class FolderInTheWay : public FaultInjector
{
public:
    explicit FolderInTheWay(std::string path) : m_path(std::move(path)) {}
    platform::ErrorCode beforeWrite(const std::string&) override { return 0; }
    platform::ErrorCode beforeRead(const std::string& name) override
    {
        if (name == "Gr000005.dat" && !m_placed) {
            std::filesystem::rename(m_path, m_path + ".aside");
            std::filesystem::create_directory(m_path);
            m_placed = true;
        }
        return 0;
    }
    // The file back in its place.
    void takeAway()
    {
        ASSERT_TRUE(m_placed);
        std::filesystem::remove(m_path);
        std::filesystem::rename(m_path + ".aside", m_path);
    }

private:
    std::string m_path;
    bool m_placed = false;
};

class SheetReplacement : public SheetFaultBase, public ::testing::Test
{
protected:
    void SetUp() override { startWindow(); }
};

} // namespace

TEST_F(SheetReplacement, ACopyThatCannotTakeTheFilesPlaceIsNotLeftInTemp)
{
    const std::string before = fixture.dir.read("Gr000005.dat");
    prepare(kSaveContinued);
    FolderInTheWay folder(fixture.dir.file("Gr000005.dat"));
    files().setFaultInjector(&folder);
    carryOut(kSaveContinued);
    files().setFaultInjector(nullptr);
    folder.takeAway();
    expectNothingChangedOrHeld(before);
    EXPECT_EQ(page(), PageId::GradeE);

    carryOut(kSaveContinued);
    EXPECT_EQ(page(), PageId::Start);
}
#endif

namespace {

#ifndef _WIN32
// While it lives, no file of this process grows beyond a few kilobytes, as on a disk that fills up
// half-way through a printout: a write beyond fails (EFBIG) instead of raising SIGXFSZ.
class NearlyFullDisk
{
public:
    explicit NearlyFullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_limit);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{bytes, m_limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~NearlyFullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_handler);
    }
    NearlyFullDisk(const NearlyFullDisk&) = delete;
    NearlyFullDisk& operator=(const NearlyFullDisk&) = delete;

private:
    rlimit m_limit{};
    void (*m_handler)(int) = nullptr;
};
#endif

struct PdfPath
{
    const char* name;
    const char* path;      // nothing: a file in a fresh folder
    unsigned long fitting; // bytes the disk still takes; 0: no limit
};

void PrintTo(const PdfPath& path, std::ostream* out)
{
    *out << path.name;
}

class PdfFault : public SheetFaultBase, public ::testing::TestWithParam<PdfPath>
{
protected:
    void SetUp() override
    {
        startWindow();
        // The print-parts dialog answered with its default: all five parts.
        fixture.onDialog = [](QDialog& dialog) { dialog.findChild<QPushButton*>("TaviroPrintOkButton")->click(); };
    }
    // A printer of its own for every printout, as the program makes one for each.
    void print(const QString& path)
    {
        PdfFileTarget target;
        target.path = path;
        fixture.environment.printTarget = &target;
        tree()->setCurrentItem(tree()->topLevelItem(0)->child(0));
        run(Command::PrintAppraisal);
        fixture.environment.printTarget = &fixture.printTarget;
    }
};

} // namespace

TEST_P(PdfFault, APrintoutItsFileCannotTakeIsReportedAndPrintsOnceTheFileCan)
{
    const PdfPath& fault = GetParam();
    const std::string before = fixture.dir.read("Gr000005.dat");
    QTemporaryDir out;
    const QString path = fault.path ? QString::fromLatin1(fault.path) : out.filePath(QStringLiteral("ocena.pdf"));
    {
#ifndef _WIN32
        std::optional<NearlyFullDisk> disk;
        if (fault.fitting > 0)
            disk.emplace(fault.fitting);
#endif
        print(path);
    }
    expectNothingChangedOrHeld(before);
    EXPECT_TRUE(fixture.dialogs.informations[0].contains(path)) << "the message names the file";
    EXPECT_FALSE(QFileInfo::exists(path)) << "no half-written printout stays";
    EXPECT_FALSE(fixture.window->commands()->isLocked());
    EXPECT_EQ(fixture.window->focusWidget(), tree());

    const QString again = out.filePath(QStringLiteral("ponownie.pdf"));
    print(again);
    EXPECT_EQ(fixture.dialogs.informations.size(), 1u);
    EXPECT_TRUE(print::isCompletePdf(again));
}

INSTANTIATE_TEST_SUITE_P(Paths, PdfFault,
                         ::testing::Values(
#ifndef _WIN32
                             PdfPath{"FullDisk", nullptr, 4096},
#endif
                             // A folder that cannot be, under a regular file: refused to anybody.
                             PdfPath{"ReadOnly", "/etc/hostname/ocena.pdf", 0}),
                         [](const auto& info) { return std::string(info.param.name); });
