// A main window on a temporary data directory, with every seam replaced: scripted messages and
// login, recorded shell requests and print jobs, printouts on a recording canvas, in-memory
// settings, a fixed clock, dialogs recorded and closed.
#pragma once

#include "TestSupport.h"

#include "CommandBar.h"
#include "DesktopShell.h"
#include "MessageDialogs.h"
#include "RecordingCanvas.h"
#include "TaviroMainCode.h"
#include "TextPrinter.h"
#include "UserSettings.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>

#include <memory>

namespace taviro::test {

class MainWindowFixture
{
public:
    MainWindowFixture()
        : environment{dialogs,
                      shell,
                      settings,
                      printer,
                      clock,
                      [this](Accounts&, QWidget*) {
                          ++logins;
                          return loginAnswer;
                      },
                      [this](QDialog& dialog) {
                          shownDialogs.push_back(dialog.windowTitle());
                          commandsLockedDuringDialog.push_back(window->commands()->isLocked());
                          if (onDialog)
                              onDialog(dialog);
                      }}
    {
        loginAnswer = {true, QStringLiteral("Administrator"), QStringLiteral("TAVIRO")};
        environment.printTarget = &printTarget;
    }

    // Creates and shows the window and waits until start-up has finished (or the login ended it).
    void start()
    {
        window = std::make_unique<ui::TTaviroMainForm>(dir.directory(), environment);
        window->show();
        waitFor([this] { return window->isStarted() || (logins > 0 && !loginAnswer.accepted); });
    }

    template <typename Condition> static bool waitFor(Condition condition, int timeoutMs = 5000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    static void processEventsFor(int milliseconds)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    TemporaryDataDirectory dir;
    widgets::ScriptedMessageDialogs dialogs;
    RecordingDesktopShell shell;
    MemoryUserSettings settings;
    RecordingTextPrinter printer;
    RecordingPrintTarget printTarget;
    FixedClock clock;
    ui::LoginAnswer loginAnswer;
    int logins = 0;
    QStringList shownDialogs;
    std::vector<bool> commandsLockedDuringDialog;
    std::function<void(QDialog&)> onDialog;
    ui::Environment environment;
    std::unique_ptr<ui::TTaviroMainForm> window;
};

} // namespace taviro::test
