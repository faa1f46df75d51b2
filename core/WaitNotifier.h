// How a retried open waits and how it tells the user that a file stays locked. The desktop
// program keeps its window painting and shows the information dialog; the admin tool and the
// tests use the plain variants below.
#pragma once

#include <string>

namespace taviro {

class WaitNotifier
{
public:
    virtual ~WaitNotifier() = default;
    // Called after every failed attempt: waits about 10 ms.
    virtual void waitBeforeRetry() = 0;
    // Called once per operation at the 1000th consecutive failure; returns when the user has read it.
    virtual void showTimeoutWarning(const std::string& message) = 0;
};

// Sleeps 10 ms between attempts and writes the warning to standard error.
class ConsoleWaitNotifier : public WaitNotifier
{
public:
    void waitBeforeRetry() override;
    void showTimeoutWarning(const std::string& message) override;
};

// The warning text for a file that stayed locked; relativeName as the user sees it.
std::string timeoutWarningText(const std::string& relativeName);

} // namespace taviro
