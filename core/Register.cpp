// Units (Cell.dat), the employees of each unit (Pe<unit>.dat) and the appraisals of each employee
// (Gr<employee>.dat): the operations behind their pages and the navigation panel.
#include "Register.h"

#include "RecordKeys.h"
#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <iterator>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace taviro {
namespace {

// Which member of a record's structure a key fills, in the order the record writes them.
template <typename Record> using KeyMap = std::pair<std::string_view, std::string Record::*>;

constexpr std::array<KeyMap<Unit>, 6> kUnitKeys = {{
    {keys::unit::kFirm, &Unit::firm},
    {keys::unit::kCity, &Unit::city},
    {keys::unit::kName, &Unit::name},
    {keys::unit::kPerson, &Unit::person},
    {keys::unit::kPosition, &Unit::position},
    {keys::unit::kDate, &Unit::date},
}};

constexpr std::array<KeyMap<Employee>, 8> kEmployeeKeys = {{
    {keys::employee::kName, &Employee::firstName},
    {keys::employee::kSurname, &Employee::surname},
    {keys::employee::kPosition, &Employee::position},
    {keys::employee::kEmploy, &Employee::employ},
    {keys::employee::kDate1, &Employee::date1},
    {keys::employee::kDate2, &Employee::date2},
    {keys::employee::kDuty1, &Employee::duty1},
    {keys::employee::kDuty2, &Employee::duty2},
}};

// Every value goes into its line trimmed, a line break inside it in "#"/"$" form, so that no value
// can break a record's line structure. For text without line breaks this is the trimmed text.
template <typename Record, std::size_t N>
Fields fieldsOf(const Record& record, const std::array<KeyMap<Record>, N>& keyMap)
{
    Fields fields;
    for (const auto& [key, member] : keyMap)
        fields.push_back({std::string(key), encodeMultiLine(record.*member)});
    return fields;
}

// Fills the members of a record from its read fields; translate turns each value into the form the
// structure keeps.
template <typename Record, std::size_t N, typename Translate>
Record recordOf(const Fields& fields, const std::array<KeyMap<Record>, N>& keyMap, Translate translate)
{
    Record record;
    for (const Field& field : fields) {
        if (field.key == keys::kId) {
            record.id = field.value;
            continue;
        }
        for (const auto& [key, member] : keyMap) {
            if (field.key == key) {
                record.*member = translate(field.value);
                break;
            }
        }
    }
    return record;
}

// readById hands back decoded values; a unit's values are given out in their stored form. No
// stored line holds a CR or LF, so turning them back into "#" and "$" restores it exactly.
std::string storedForm(std::string_view decoded)
{
    std::string stored(decoded);
    for (char& c : stored) {
        if (c == '\r')
            c = '#';
        else if (c == '\n')
            c = '$';
    }
    return stored;
}

std::string keptAsRead(std::string_view decoded)
{
    return std::string(decoded);
}

std::string textOf(std::string_view stored)
{
    // Identifiers and dates, most of what the tree reads, are plain ASCII and need no converting.
    if (std::all_of(stored.begin(), stored.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(stored);
    return cp1250ToUtf8(stored);
}

// The live appraisals of one file, gathered in found first so that they go to the employee in a
// single allocation.
void takeAppraisals(LiveRecordScanner& scanner, std::string_view content, std::vector<AppraisalEntry>& found,
                    EmployeeEntry& employee)
{
    found.clear();
    scanner.start(content);
    while (scanner.next())
        found.push_back({textOf(scanner.id()), textOf(scanner.values()[0])});
    employee.appraisals.assign(std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
}

// The appraisal files of a unit's employees are read on the calling thread, one after another
// and each under its own lock, while a helper thread scans the ones already read: the reading
// waits on the system and the scanning on the processor, so on two cores the one hides the
// other. Only the calling thread opens files or waits for a lock (the wait may show a dialog);
// the helper sees nothing but contents already read, and writes only the appraisals of the
// employees whose files it scans. A file is read into any of a few slots whose buffer is free,
// each kept for the whole fill. Whichever thread is free scans the oldest file not yet taken, and
// the helper has at most one in hand, so the calling thread never waits for it while reading:
// when the helper falls behind (another program has the other core) the calling thread scans
// instead, and the fill is never much slower than without a helper.
class AppraisalScan
{
public:
    explicit AppraisalScan(std::vector<EmployeeEntry>& employees)
        : m_employees(employees), m_slotOfFile(employees.size())
    {
        // Starting a thread and its buffers costs about as much as scanning a few dozen files.
        if (employees.size() < kHelperFrom)
            return;
        m_helped = true;
        try {
            m_helper = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            m_helped = false; // no thread to be had
        }
    }

    ~AppraisalScan()
    {
        if (m_helper.joinable()) {
            m_stop.store(true);
            wake(m_helperWaits);
            m_helper.join();
        }
    }

    AppraisalScan(const AppraisalScan&) = delete;
    AppraisalScan& operator=(const AppraisalScan&) = delete;

    // A free buffer to read the next employee's file into.
    std::string& nextBuffer()
    {
        for (;;) {
            rethrowFailure();
            for (std::size_t slot = 0; slot < kSlots; ++slot) {
                if (!m_slots[slot].busy.load()) {
                    m_current = slot;
                    return m_slots[slot].buffer;
                }
            }
            // Every slot holds a file not scanned yet, and the helper has one at most: scanning the
            // oldest not taken frees another.
            if (!scanOldest(m_own))
                waitUntil(m_readerWaits, [&] { return anyFree() || m_failed.load(); });
        }
    }

    // Hands over the next employee's file as read into nextBuffer(); nothing when it is missing.
    void handOver(std::optional<std::string_view> content)
    {
        Slot& slot = m_slots[m_current];
        slot.content = content;
        slot.busy.store(true);
        m_slotOfFile[m_handedOver] = m_current;
        m_handed.store(++m_handedOver);
        if (m_helped)
            wake(m_helperWaits);
        else
            scanOldest(m_own);
    }

    // Scans what is left and waits for the file the helper may have in hand; what it threw is
    // thrown here.
    void finish()
    {
        while (scanOldest(m_own)) {
        }
        waitUntil(m_readerWaits, [&] { return allFree() || m_failed.load(); });
        rethrowFailure();
    }

private:
    static constexpr std::size_t kSlots = 8;
    static constexpr std::size_t kHelperFrom = 64;
    // How often a side looks again, giving way to other threads, before it sleeps: a file is
    // read or scanned in a few microseconds, so the other side is usually back before long.
    static constexpr int kLooksBeforeSleeping = 1000;

    struct Slot
    {
        std::string buffer;
        std::optional<std::string_view> content;
        std::atomic<bool> busy{false}; // holds a file not scanned yet
    };

    // Each thread's own.
    struct Scanning
    {
        static constexpr std::string_view kWanted[] = {keys::appraisal::kPeriodEnd};
        LiveRecordScanner scanner{keys::appraisal::kDelete, kWanted};
        std::vector<AppraisalEntry> found;
    };

    bool anyFree() const
    {
        return std::any_of(m_slots.begin(), m_slots.end(), [](const Slot& slot) { return !slot.busy.load(); });
    }
    bool allFree() const
    {
        return std::none_of(m_slots.begin(), m_slots.end(), [](const Slot& slot) { return slot.busy.load(); });
    }

    // Takes the oldest file handed over and not taken yet and scans it; false when there is none.
    bool scanOldest(Scanning& own)
    {
        std::size_t index = m_taken.load();
        do {
            if (index >= m_handed.load())
                return false;
        } while (!m_taken.compare_exchange_weak(index, index + 1));
        Slot& slot = m_slots[m_slotOfFile[index]];
        if (slot.content)
            takeAppraisals(own.scanner, *slot.content, own.found, m_employees[index]);
        slot.busy.store(false);
        return true;
    }

    void run()
    {
        try {
            const std::size_t files = m_employees.size(); // one for each employee
            while (!m_stop.load() && m_taken.load() < files) {
                if (scanOldest(m_helpers))
                    wake(m_readerWaits);
                else
                    waitUntil(m_helperWaits, [&] { return m_handed.load() > m_taken.load() || m_stop.load(); });
            }
        } catch (...) {
            m_failure = std::current_exception();
            m_failed.store(true);
            wake(m_readerWaits);
        }
    }

    void rethrowFailure()
    {
        if (m_failed.load())
            std::rethrow_exception(m_failure);
    }

    // A side that finds nothing to do looks again a while and then sleeps, saying so in its flag;
    // the other side wakes it only then. All of it sequentially consistent, so that either the
    // sleeper sees the change or the changer sees the flag.
    template <typename Condition> void waitUntil(std::atomic<bool>& waiting, Condition condition)
    {
        for (int look = 0; look < kLooksBeforeSleeping; ++look) {
            if (condition())
                return;
            std::this_thread::yield();
        }
        std::unique_lock lock(m_mutex);
        waiting.store(true);
        m_changed.wait(lock, condition);
        waiting.store(false);
    }

    void wake(const std::atomic<bool>& waiting)
    {
        if (waiting.load()) {
            const std::lock_guard lock(m_mutex);
            m_changed.notify_all();
        }
    }

    std::vector<EmployeeEntry>& m_employees;
    // Without a helper (a small unit, or no thread to be had) the calling thread scans every file
    // as soon as it is handed over, so the first slot serves them all.
    bool m_helped = false;
    std::array<Slot, kSlots> m_slots;
    std::vector<std::size_t> m_slotOfFile; // written before the file is handed over
    std::size_t m_current = 0;             // the slot nextBuffer gave out
    std::size_t m_handedOver = 0;          // the calling thread's own count
    std::atomic<std::size_t> m_handed{0};  // the same for the helper to see
    std::atomic<std::size_t> m_taken{0};   // files taken for scanning, by either thread
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_failed{false};
    std::exception_ptr m_failure;
    std::atomic<bool> m_helperWaits{false};
    std::atomic<bool> m_readerWaits{false};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Scanning m_own;
    Scanning m_helpers;
    std::thread m_helper; // last, so that it starts once everything else is made
};

} // namespace

// ---- Units ----

std::vector<UnitEntry> UnitRegister::liveUnits()
{
    std::vector<UnitEntry> units;
    const std::optional<std::string> content = m_records.files().readIfExists(unitsFileName());
    if (!content)
        return units;
    constexpr std::string_view wanted[] = {keys::unit::kName};
    scanLiveRecords(*content, keys::unit::kDelete, wanted,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        units.push_back({textOf(id), textOf(values[0])});
                        return false;
                    });
    return units;
}

std::optional<Unit> UnitRegister::read(const std::string& id)
{
    const Fields fields = m_records.readById(unitsFileName(), id);
    if (fields.empty())
        return std::nullopt;
    return recordOf(fields, kUnitKeys, storedForm);
}

std::string UnitRegister::add(const Unit& unit)
{
    return m_records.add(unitsFileName(), RecordKind::Unit, fieldsOf(unit, kUnitKeys));
}

void UnitRegister::correct(const Unit& unit)
{
    // Records made by the import have no date line; the first correction gives them one.
    m_records.rewrite(unitsFileName(), unit.id,
                      replaceValues(fieldsOf(unit, kUnitKeys), {std::string(keys::unit::kDate)}));
}

void UnitRegister::remove(const std::string& id)
{
    m_records.rewrite(unitsFileName(), id, softDelete(RecordKind::Unit));
}

// ---- Employees ----

std::vector<EmployeeEntry> EmployeeRegister::liveEmployees(const std::string& unitId)
{
    std::vector<EmployeeEntry> employees;
    const std::optional<std::string> content = m_records.files().readIfExists(employeesFileName(unitId));
    if (!content)
        return employees;
    constexpr std::string_view wanted[] = {keys::employee::kName, keys::employee::kSurname};
    scanLiveRecords(*content, keys::employee::kDelete, wanted,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        employees.push_back({textOf(id), textOf(values[0]), textOf(values[1]), {}});
                        return false;
                    });
    return employees;
}

std::vector<EmployeeEntry> EmployeeRegister::unitTree(const std::string& unitId)
{
    SharedFileAccess& files = m_records.files();
    std::vector<EmployeeEntry> employees;
    {
        std::string buffer;
        const std::optional<std::string_view> content = files.readIfExists(employeesFileName(unitId), buffer);
        if (!content)
            return employees;
        constexpr std::string_view wanted[] = {keys::employee::kName, keys::employee::kSurname};
        LiveRecordScanner scanner(keys::employee::kDelete, wanted);
        scanner.start(*content);
        while (scanner.next())
            employees.push_back({textOf(scanner.id()), textOf(scanner.values()[0]), textOf(scanner.values()[1]), {}});
    }
    if (employees.empty())
        return employees;
    AppraisalScan scan(employees);
    for (const EmployeeEntry& employee : employees) {
        std::string& buffer = scan.nextBuffer();
        scan.handOver(files.readIfExists(appraisalsFileName(employee.id), buffer));
    }
    scan.finish();
    return employees;
}

std::vector<EmployeeCard> EmployeeRegister::liveCards(const std::string& unitId)
{
    std::vector<EmployeeCard> cards;
    const std::optional<std::string> content = m_records.files().readIfExists(employeesFileName(unitId));
    if (!content)
        return cards;
    using namespace keys::employee;
    constexpr std::string_view wanted[] = {kName, kSurname, kPosition, kDate1};
    scanLiveRecords(*content, kDelete, wanted, [&](std::string_view id, std::span<const std::string_view> values) {
        cards.push_back({textOf(id), textOf(values[0]), textOf(values[1]), textOf(values[2]), textOf(values[3])});
        return false;
    });
    return cards;
}

std::optional<Employee> EmployeeRegister::read(const std::string& unitId, const std::string& id)
{
    const Fields fields = m_records.readById(employeesFileName(unitId), id);
    if (fields.empty())
        return std::nullopt;
    return recordOf(fields, kEmployeeKeys, keptAsRead);
}

std::string EmployeeRegister::add(const std::string& unitId, const Employee& employee)
{
    return m_records.add(employeesFileName(unitId), RecordKind::Employee, fieldsOf(employee, kEmployeeKeys));
}

void EmployeeRegister::correct(const std::string& unitId, const Employee& employee)
{
    m_records.rewrite(employeesFileName(unitId), employee.id, replaceValues(fieldsOf(employee, kEmployeeKeys)));
}

void EmployeeRegister::remove(const std::string& unitId, const std::string& id)
{
    m_records.rewrite(employeesFileName(unitId), id, softDelete(RecordKind::Employee));
}

// ---- Appraisals ----

std::vector<AppraisalEntry> AppraisalRegister::liveAppraisals(const std::string& employeeId)
{
    std::vector<AppraisalEntry> appraisals;
    const std::optional<std::string> content = m_records.files().readIfExists(appraisalsFileName(employeeId));
    if (!content)
        return appraisals;
    constexpr std::string_view wanted[] = {keys::appraisal::kPeriodEnd};
    scanLiveRecords(*content, keys::appraisal::kDelete, wanted,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        appraisals.push_back({textOf(id), textOf(values[0])});
                        return false;
                    });
    return appraisals;
}

std::vector<AppraisalSummary> AppraisalRegister::liveSummaries(const std::string& employeeId, std::string& buffer)
{
    std::vector<AppraisalSummary> appraisals;
    const std::optional<std::string_view> content =
        m_records.files().readIfExists(appraisalsFileName(employeeId), buffer);
    if (!content)
        return appraisals;
    constexpr std::string_view wanted[] = {keys::appraisal::kGradeDrawnUp, keys::appraisal::kGrade};
    scanLiveRecords(*content, keys::appraisal::kDelete, wanted,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        const auto level = parseInteger(trimmedView(values[1]));
                        appraisals.push_back({textOf(id), textOf(values[0]), level ? static_cast<int>(*level) : 0});
                        return false;
                    });
    return appraisals;
}

Fields AppraisalRegister::read(const std::string& employeeId, const std::string& id)
{
    return m_records.readById(appraisalsFileName(employeeId), id);
}

std::string AppraisalRegister::add(const std::string& employeeId, const Fields& fields)
{
    return m_records.add(appraisalsFileName(employeeId), RecordKind::Appraisal, fields);
}

bool AppraisalRegister::replace(const std::string& employeeId, const std::string& id, const Fields& fields)
{
    return m_records.rewrite(appraisalsFileName(employeeId), id, replaceBody(RecordKind::Appraisal, fields));
}

AppraisalRegister::Replacement AppraisalRegister::replaceIfUnchanged(const std::string& employeeId,
                                                                     const std::string& id, const Fields& readAtOpen,
                                                                     const Fields& fields)
{
    // The record's lines now, decoded as read() decodes them, against what was read at opening.
    const auto unchanged = [&](const std::vector<std::string>& recordLines) {
        if (recordLines.size() != readAtOpen.size())
            return false;
        for (std::size_t i = 0; i < recordLines.size(); ++i) {
            const auto [key, value] = splitLine(recordLines[i]);
            if (key != readAtOpen[i].key || decodeMultiLine(value) != readAtOpen[i].value)
                return false;
        }
        return true;
    };
    const auto outcome =
        m_records.rewriteIf(appraisalsFileName(employeeId), id, unchanged, replaceBody(RecordKind::Appraisal, fields));
    return outcome == RecordFiles::Rewrite::Rewritten ? Replacement::Replaced : Replacement::ChangedMeanwhile;
}

void AppraisalRegister::remove(const std::string& employeeId, const std::string& id)
{
    m_records.rewrite(appraisalsFileName(employeeId), id, softDelete(RecordKind::Appraisal));
}

} // namespace taviro
