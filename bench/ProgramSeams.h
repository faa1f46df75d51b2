// The program's outside seams replaced as in the GUI tests, and its services on a data folder.
#pragma once

#include "TaviroTypeCode.h"

#include "DesktopShell.h"
#include "Environment.h"
#include "MessageDialogs.h"
#include "Services.h"
#include "TextPrinter.h"
#include "UserSettings.h"

#include <QDialog>

#include <filesystem>

namespace taviro::bench {

class StoppedClock : public Clock
{
public:
    Date today() const override { return {2026, 3, 5}; }
    TimeOfDay now() const override { return {9, 7, 3}; }
};

// Every outside seam of the program replaced, the login answered by the administrator: what a
// main window of a benchmark starts with.
struct ProgramEnvironment
{
    ProgramEnvironment()
        : environment{dialogs,
                      shell,
                      settings,
                      printer,
                      clock,
                      [](Accounts&, QWidget*) {
                          return ui::LoginAnswer{true, QStringLiteral("Administrator"), QStringLiteral("TAVIRO")};
                      },
                      [](QDialog& dialog) { dialog.reject(); }}
    {}

    widgets::ScriptedMessageDialogs dialogs;
    RecordingDesktopShell shell;
    MemoryUserSettings settings;
    RecordingTextPrinter printer;
    StoppedClock clock;
    ui::Environment environment;
};

// The program's services over those seams, the administrator logged in: what a benchmark of a page
// or panel builds on.
struct ProgramSeams : ProgramEnvironment
{
    explicit ProgramSeams(const std::filesystem::path& folder)
        : services(DataDirectory(DataDirectory::withTrailingSeparator(folder.string(), platform::kSeparator)),
                   environment)
    {
        services.beginSession();
        services.session().user = "Administrator";
    }

    ui::Services services;
};

} // namespace taviro::bench
