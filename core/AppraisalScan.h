// The fill of a unit's tree: the appraisal files of its employees opened on the calling thread and
// read and scanned on a helper thread meanwhile. Used by the employee register only.
#pragma once

#include "RecordKeys.h"
#include "RecordText.h"
#include "Register.h"
#include "SharedFiles.h"

#include "TextCodec.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <iterator>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace taviro::detail {

// A stored value as text; identifiers and dates, most of what the tree reads, are plain ASCII and
// need no converting.
inline std::string textOf(std::string_view stored)
{
    if (std::all_of(stored.begin(), stored.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(stored);
    return cp1250ToUtf8(stored);
}

// The live appraisals of one file, gathered in found first so that they go to the employee in a
// single allocation.
inline void takeAppraisals(LiveRecordScanner& scanner, std::string_view content, std::vector<AppraisalEntry>& found,
                           EmployeeEntry& employee)
{
    found.clear();
    scanner.start(content);
    while (scanner.next())
        found.push_back({textOf(scanner.id()), textOf(scanner.values()[0])});
    employee.appraisals.assign(std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
}

// The appraisal files of a unit's employees are opened on the calling thread, one after another
// and each under its own lock, while a helper thread reads, closes and scans the ones already
// open: the opening waits on the system and the rest mostly on the processor, so on two cores the
// one hides the other. Only the calling thread opens files or waits for a lock (the wait may show
// a dialog); the helper is handed files open and locked, and writes only the appraisals of the
// employees whose files it takes. A file is read where it is scanned, so that its bytes are still
// in that processor's cache. An open file waits in any of a few slots that is free, each with a
// buffer kept for the whole fill, so at most that many are open at once, and only for the moment
// until the helper (or the calling thread) takes them. Whichever thread is free takes the oldest
// file not yet taken, and the helper has at most one in hand, so the calling thread never waits
// for it while opening: when the helper falls behind (another program has the other core) the
// calling thread takes files itself, and the fill is never much slower than without a helper.
class AppraisalScan
{
public:
    AppraisalScan(std::vector<EmployeeEntry>& employees, const EmployeeRegister::AppraisalsIn& appraisalsIn)
        : m_employees(employees), m_appraisalsIn(appraisalsIn), m_slotOfFile(employees.size())
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

    // Waits for a free slot for the next employee's file, taking files itself meanwhile.
    void makeRoom()
    {
        for (;;) {
            rethrowFailure();
            for (std::size_t slot = 0; slot < kSlots; ++slot) {
                if (!m_slots[slot].busy.load()) {
                    m_current = slot;
                    return;
                }
            }
            // Every slot holds a file not taken yet, and the helper has one at most: taking the
            // oldest not taken frees another.
            if (!takeOldest(m_own))
                waitUntil(m_readerWaits, [&] { return anyFree() || m_failed.load(); });
        }
    }

    // Hands over the next employee's file, open under its lock, into the slot makeRoom() found;
    // nothing when it is missing.
    void handOver(std::optional<SharedFile> file)
    {
        Slot& slot = m_slots[m_current];
        slot.file = std::move(file);
        slot.busy.store(true);
        m_slotOfFile[m_handedOver] = m_current;
        m_handed.store(++m_handedOver);
        if (m_helped)
            wake(m_helperWaits);
        else
            takeOldest(m_own);
    }

    // Takes what is left and waits for the file the helper may have in hand; what it threw is
    // thrown here.
    void finish()
    {
        while (takeOldest(m_own)) {
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
        std::optional<SharedFile> file;
        std::string buffer;
        std::atomic<bool> busy{false}; // holds a file not taken yet, or one being taken
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

    // Takes the oldest file handed over and not taken yet, reads it, closes it and scans what it
    // held; false when there is none.
    bool takeOldest(Scanning& own)
    {
        std::size_t index = m_taken.load();
        do {
            if (index >= m_handed.load())
                return false;
        } while (!m_taken.compare_exchange_weak(index, index + 1));
        Slot& slot = m_slots[m_slotOfFile[index]];
        EmployeeEntry& employee = m_employees[index];
        if (slot.file) {
            const std::string_view content = slot.file->readWholeInto(slot.buffer);
            slot.file->close();
            slot.file.reset();
            takeAppraisals(own.scanner, content, own.found, employee);
        }
        slot.busy.store(false);
        if (m_appraisalsIn)
            m_appraisalsIn(index, employee);
        return true;
    }

    void run()
    {
        try {
            const std::size_t files = m_employees.size(); // one for each employee
            while (!m_stop.load() && m_taken.load() < files) {
                if (takeOldest(m_helpers))
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
    const EmployeeRegister::AppraisalsIn& m_appraisalsIn;
    // Without a helper (a small unit, or no thread to be had) the calling thread takes every file
    // as soon as it is handed over, so the first slot serves them all.
    bool m_helped = false;
    std::array<Slot, kSlots> m_slots;
    std::vector<std::size_t> m_slotOfFile; // written before the file is handed over
    std::size_t m_current = 0;             // the slot makeRoom found
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

} // namespace taviro::detail
