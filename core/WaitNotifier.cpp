#include "WaitNotifier.h"

#include "platform/PlatformFiles.h"

#include <iostream>

namespace taviro {

void ConsoleWaitNotifier::waitBeforeRetry()
{
    platform::sleepMilliseconds(10);
}

void ConsoleWaitNotifier::showTimeoutWarning(const std::string& message)
{
    std::cerr << message << std::endl;
}

std::string timeoutWarningText(const std::string& relativeName)
{
    return "UWAGA! Nastąpiło przeterminowanie dostępu do pliku - " + relativeName +
           " - prosze poinformowac o tym obsługę informatyczną firmy.";
}

} // namespace taviro
