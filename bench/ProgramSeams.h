// The program's services on a data folder with every outside seam replaced as in the GUI tests,
// the administrator logged in: what a benchmark of a page or panel builds on.
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

struct ProgramSeams
{
    explicit ProgramSeams(const std::filesystem::path& folder)
        : environment{dialogs,
                      shell,
                      settings,
                      printer,
                      clock,
                      [](Accounts&, QWidget*) {
                          return ui::LoginAnswer{true, QStringLiteral("Administrator"), QStringLiteral("TAVIRO")};
                      },
                      [](QDialog& dialog) { dialog.reject(); }},
          services(DataDirectory(DataDirectory::withTrailingSeparator(folder.string(), platform::kSeparator)),
                   environment)
    {
        services.beginSession();
        services.session().user = "Administrator";
    }

    widgets::ScriptedMessageDialogs dialogs;
    RecordingDesktopShell shell;
    MemoryUserSettings settings;
    RecordingTextPrinter printer;
    StoppedClock clock;
    ui::Environment environment;
    ui::Services services;
};

} // namespace taviro::bench
