// The fill of a unit's tree: the appraisal files of its employees read on the calling thread and
// scanned on a helper thread meanwhile. Used by the employee register only.
#pragma once

#include "RecordKeys.h"
#include "RecordText.h"
#include "Register.h"

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

} // namespace taviro::detail
