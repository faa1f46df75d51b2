// How the desktop program waits between attempts to open a locked file: the windows keep
// painting while user input waits, and the timeout warning is the information dialog.
#pragma once

#include "WaitNotifier.h"

namespace taviro::widgets {

class MessageDialogs;

class GuiWaitNotifier : public WaitNotifier
{
public:
    explicit GuiWaitNotifier(MessageDialogs& dialogs, int waitMilliseconds = 10)
        : m_dialogs(dialogs), m_waitMilliseconds(waitMilliseconds)
    {}

    void waitBeforeRetry() override;
    void showTimeoutWarning(const std::string& message) override;

private:
    MessageDialogs& m_dialogs;
    int m_waitMilliseconds;
};

} // namespace taviro::widgets
