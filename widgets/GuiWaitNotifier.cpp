#include "GuiWaitNotifier.h"

#include "MessageDialogs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

namespace taviro::widgets {

void GuiWaitNotifier::waitBeforeRetry()
{
    // User input stays queued until the operation is over (it is delivered afterwards, not
    // lost). Timers are held back too where the platform allows it, so that no timer handler
    // starts a second file operation in the middle of this one; paint and window-system events
    // still come through.
    constexpr QEventLoop::ProcessEventsFlags flags =
        QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers;
    const QDeadlineTimer deadline(m_waitMilliseconds);
    do {
        QCoreApplication::processEvents(flags);
        const qint64 left = deadline.remainingTime();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(qMin<qint64>(left, 2)));
    } while (!deadline.hasExpired());
}

void GuiWaitNotifier::showTimeoutWarning(const std::string& message)
{
    m_dialogs.showInformation(QString::fromStdString(message));
}

} // namespace taviro::widgets
