#include "Services.h"

#include "GuiWaitNotifier.h"

#include "Clock.h"

#include <stdexcept>

namespace taviro::ui {

Services::Services(DataDirectory directory, Environment& environment)
    : m_directory(std::move(directory)), m_environment(environment),
      m_notifier(std::make_unique<widgets::GuiWaitNotifier>(environment.dialogs)), m_files(m_directory, *m_notifier),
      m_counters(m_files), m_accounts(m_files)
{}

Services::~Services() = default;

void Services::beginSession()
{
    m_session.sessionNumber = m_counters.next(Counter::Session);
    m_records = std::make_unique<RecordFiles>(m_files, m_counters, m_session.sessionNumber);
}

RecordFiles& Services::records()
{
    if (!m_records)
        throw std::logic_error("the record files are used before the session began");
    return *m_records;
}

QDate Services::today() const
{
    const Date date = m_environment.clock.today();
    return QDate(date.year, date.month, date.day);
}

std::function<bool(const UnitEntry&)> Services::unitVisibility()
{
    const std::string& user = m_session.user;
    const bool administrator = isAdministrator(user);
    std::string access = administrator ? std::string() : m_accounts.unitAccessList(user);
    return [administrator, access = std::move(access)](const UnitEntry& unit) {
        return Accounts::unitAccessCheck(administrator, unit.id, access);
    };
}

} // namespace taviro::ui
