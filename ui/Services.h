// What the controllers and pages work with, handed to them by the main window: the data
// directory, the shared files, counters, accounts and record registers, the session state and the
// environment (dialogs, shell, settings, printer, clock).
#pragma once

#include "Environment.h"
#include "SessionState.h"

#include "Accounts.h"
#include "Counters.h"
#include "DataDirectory.h"
#include "RecordFiles.h"
#include "Register.h"
#include "SharedFiles.h"
#include "WaitNotifier.h"

#include <QDate>

#include <functional>
#include <memory>

namespace taviro::ui {

class Services
{
public:
    Services(DataDirectory directory, Environment& environment);
    ~Services();
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    const DataDirectory& directory() const { return m_directory; }
    Environment& environment() const { return m_environment; }
    widgets::MessageDialogs& dialogs() const { return m_environment.dialogs; }
    SharedFileAccess& files() { return m_files; }
    Counters& counters() { return m_counters; }
    Accounts& accounts() { return m_accounts; }
    SessionState& session() { return m_session; }
    // Whether the logged-in user may see a unit: the administrator every one, anybody else those of
    // their access list, read from Users.dat once for the predicate.
    std::function<bool(const UnitEntry&)> unitVisibility();
    const SessionState& session() const { return m_session; }

    // Draws this run's session number and opens the record files with it (start-up).
    void beginSession();
    bool hasSession() const { return m_records != nullptr; }
    // The record files and registers of this session; only after beginSession.
    RecordFiles& records();
    UnitRegister units() { return UnitRegister(records()); }
    EmployeeRegister employees() { return EmployeeRegister(records()); }
    AppraisalRegister appraisals() { return AppraisalRegister(records()); }

    // Today as the clock has it.
    QDate today() const;

private:
    DataDirectory m_directory;
    Environment& m_environment;
    std::unique_ptr<WaitNotifier> m_notifier;
    SharedFileAccess m_files;
    Counters m_counters;
    Accounts m_accounts;
    std::unique_ptr<RecordFiles> m_records;
    SessionState m_session;
};

} // namespace taviro::ui
