// The outside world of the main window, one seam each: message dialogs, the desktop shell, the
// per-user settings, the printer, the clock and the login. The program passes the real ones; tests pass
// recording or scripted ones.
#pragma once

#include <QString>

class QDialog;
class QWidget;

#include <functional>

namespace taviro {
class Accounts;
class Clock;
class DesktopShell;
class TextPrinter;
class UserSettings;
} // namespace taviro

namespace taviro::widgets {
class MessageDialogs;
}

namespace taviro::print {
class PrintTarget;
}

namespace taviro::ui {

struct LoginAnswer
{
    bool accepted = false;
    QString user;
    QString password;
};

struct Environment
{
    widgets::MessageDialogs& dialogs;
    DesktopShell& shell;
    UserSettings& settings;
    TextPrinter& printer;
    Clock& clock;
    // Runs the login; the real one shows the login dialog over the given parent.
    std::function<LoginAnswer(Accounts& accounts, QWidget* parent)> login;
    // Shows a modal dialog (help, about …) and returns when it is closed; tests may answer it.
    std::function<void(QDialog& dialog)> runDialog;
    // Asks for the file to import, starting in a folder; an empty result means the user gave up.
    // Empty: the real file-open dialog.
    std::function<QString(QWidget* parent, const QString& startDirectory)> chooseImportFile = {};
    // Asks where to save an export, offering a file name; an empty result means the user gave up.
    // Empty: the real file-save dialog.
    std::function<QString(QWidget* parent, const QString& suggestedFile)> chooseExportFile = {};
    // Where the sheets and the notification print. Null: the platform's print dialog and printer.
    print::PrintTarget* printTarget = nullptr;
};

} // namespace taviro::ui
