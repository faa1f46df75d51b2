// Waiting between attempts to open a locked file in the desktop program: about 10 ms during which
// the windows keep painting, and the warning goes to the information dialog.
#include "GuiWaitNotifier.h"
#include "MessageDialogs.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro;

namespace {

class CountingPaints : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

TEST(GuiWait, WaitsAboutTenMillisecondsWhileTheWindowsKeepPainting)
{
    widgets::ScriptedMessageDialogs dialogs;
    widgets::GuiWaitNotifier notifier(dialogs);
    CountingPaints window;
    window.resize(100, 60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();

    const int paintsBefore = window.paints;
    window.update();
    bool queuedWorkRan = false;
    QMetaObject::invokeMethod(
        qApp, [&] { queuedWorkRan = true; }, Qt::QueuedConnection);
    // A timer handler could start a second file operation inside this one: timers wait too.
    bool timerFired = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] { timerFired = true; });
    timer.start(1);

    QElapsedTimer clock;
    clock.start();
    notifier.waitBeforeRetry();
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 10);
    EXPECT_LT(elapsed, 500);
    EXPECT_GT(window.paints, paintsBefore) << "the window repaints during the wait";
    EXPECT_TRUE(queuedWorkRan);
#ifndef Q_OS_WIN
    EXPECT_FALSE(timerFired);
#endif
    QTest::qWait(20);
    EXPECT_TRUE(timerFired) << "the timer still comes afterwards";
}

TEST(GuiWait, LockedFileWarningReachesTheInformationDialogOnce)
{
    // Another workstation holds the file and lets go once the user has read the warning.
    struct ReleasingDialogs : widgets::ScriptedMessageDialogs
    {
        SharedFile held;
        void showInformation(const QString& text) override
        {
            widgets::ScriptedMessageDialogs::showInformation(text);
            held.close();
        }
    } dialogs;
    widgets::GuiWaitNotifier notifier(dialogs, 0);
    test::TemporaryDataDirectory dir;
    dir.write("Cell.dat", "");
    SharedFileAccess files(dir.directory(), notifier);
    dialogs.held = files.openOnce("Cell.dat", OpenKind::BinaryReadWrite);

    SharedFile reader = files.openWithRetry("Cell.dat", OpenKind::TextRead);
    ASSERT_EQ(dialogs.informations.size(), 1);
    EXPECT_EQ(dialogs.informations.front(), QString::fromUtf8("UWAGA! Nastąpiło przeterminowanie dostępu do pliku - "
                                                              "Cell.dat - prosze poinformowac o tym obsługę "
                                                              "informatyczną firmy."));
}
