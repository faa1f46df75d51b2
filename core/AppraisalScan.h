// The fill of a unit's tree: the appraisal files of its employees read and scanned on the calling
// thread and a helper thread at once. Used by the employee register only.
#pragma once

#include "RecordKeys.h"
#include "RecordText.h"
#include "Register.h"
#include "SharedFiles.h"

#include "TextCodec.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <iterator>
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

// The appraisal files of a unit's employees are read and scanned by the calling thread and, for a
// large unit, a helper thread together: each takes the next employee not yet taken, opens their
// file, reads it, closes it, scans it and hands the employee on, so that a file's bytes are
// scanned where they were read and on a share two round trips are under way at once. Each holds
// one file at a time. Only the calling thread waits for a lock or retries (the wait may show a
// dialog): the helper makes a single attempt at each file and leaves a file it cannot have at
// once to the calling thread, which takes those at the end. The helper writes only the entries of
// the employees it takes.
class AppraisalScan
{
public:
    AppraisalScan(SharedFileAccess& files, std::vector<EmployeeEntry>& employees,
                  const EmployeeRegister::AppraisalsIn& appraisalsIn)
        : m_files(files), m_employees(employees), m_appraisalsIn(appraisalsIn)
    {}

    ~AppraisalScan() { stopHelper(); }

    AppraisalScan(const AppraisalScan&) = delete;
    AppraisalScan& operator=(const AppraisalScan&) = delete;

    // Gives every employee their appraisals; what the helper threw is thrown here.
    void run()
    {
        startHelper();
        for (std::size_t index; (index = m_next.fetch_add(1)) < m_employees.size();) {
            rethrowFailure();
            takeWaiting(index);
        }
        stopHelper();
        rethrowFailure();
        for (const std::size_t index : m_leftToCaller)
            takeWaiting(index);
    }

private:
    // Starting a thread costs about as much as reading a dozen files.
    static constexpr std::size_t kHelperFrom = 16;

    // Each thread's own.
    struct Scanning
    {
        static constexpr std::string_view kWanted[] = {keys::appraisal::kPeriodEnd};
        LiveRecordScanner scanner{keys::appraisal::kDelete, kWanted};
        std::vector<AppraisalEntry> found;
        std::string buffer; // only ever grows
    };

    void startHelper()
    {
        if (m_employees.size() < kHelperFrom)
            return;
        try {
            m_helper = std::thread([this] { help(); });
        } catch (const std::system_error&) {
            // no thread to be had: the calling thread takes every file
        }
    }

    void stopHelper()
    {
        if (m_helper.joinable()) {
            m_stop.store(true);
            m_helper.join();
        }
    }

    void help()
    {
        try {
            SharedFile file;
            for (std::size_t index; !m_stop.load() && (index = m_next.fetch_add(1)) < m_employees.size();) {
                switch (m_files.tryOpenToRead(appraisalsFileName(m_employees[index].id), file)) {
                case SharedFileAccess::ReadAttempt::Opened:
                    take(index, &file, m_helpers);
                    break;
                case SharedFileAccess::ReadAttempt::Missing:
                    take(index, nullptr, m_helpers);
                    break;
                case SharedFileAccess::ReadAttempt::NotNow:
                    m_leftToCaller.push_back(index); // read by the calling thread after the join
                    break;
                }
            }
        } catch (...) {
            m_failure = std::current_exception();
            m_failed.store(true);
        }
    }

    // On the calling thread, with the retry protocol.
    void takeWaiting(std::size_t index)
    {
        std::optional<SharedFile> file =
            m_files.openIfExists(appraisalsFileName(m_employees[index].id), OpenKind::TextRead);
        take(index, file ? &*file : nullptr, m_own);
    }

    // Reads the employee's file (none: it is missing), lets it go and scans what it held.
    void take(std::size_t index, SharedFile* file, Scanning& own)
    {
        EmployeeEntry& employee = m_employees[index];
        if (file) {
            const std::string_view content = file->readWholeInto(own.buffer);
            file->close();
            takeAppraisals(own.scanner, content, own.found, employee);
        }
        if (m_appraisalsIn)
            m_appraisalsIn(index, employee);
    }

    void rethrowFailure()
    {
        if (m_failed.load())
            std::rethrow_exception(m_failure);
    }

    SharedFileAccess& m_files;
    std::vector<EmployeeEntry>& m_employees;
    const EmployeeRegister::AppraisalsIn& m_appraisalsIn;
    std::atomic<std::size_t> m_next{0}; // the next employee not taken yet, by either thread
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_failed{false};
    std::exception_ptr m_failure;
    std::vector<std::size_t> m_leftToCaller; // the helper's until it is joined
    Scanning m_own;
    Scanning m_helpers;
    std::thread m_helper;
};

} // namespace taviro::detail
