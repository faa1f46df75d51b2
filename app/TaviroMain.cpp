// The desktop program: Polish everywhere, one running copy per user, the main window and the
// event loop. Everything else lives in the libraries.
#include "SingleInstance.h"
#include "TaviroMainCode.h"
#include "dialogs/TaviroLoginCode.h"

#include "MessageDialogs.h"

#include "DesktopShell.h"
#include "TextPrinter.h"
#include "UserSettings.h"

#include "Clock.h"
#include "SharedFiles.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Qt's own dialogs (file, print, calendar) speak Polish too.
void speakPolish(QApplication& application)
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

QString userName()
{
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return user.isEmpty() ? QStringLiteral("taviro") : user;
}

std::vector<std::string> arguments(int argc, char** argv)
{
    return {argv, argv + argc};
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationName(QStringLiteral("Taviro"));
    QApplication::setApplicationVersion(QStringLiteral(TAVIRO_VERSION));
    QApplication::setApplicationDisplayName(taviro::ui::TTaviroMainForm::applicationTitle());
    speakPolish(application);

    taviro::ui::SingleInstance single(
        taviro::ui::SingleInstance::keyFor(QCoreApplication::applicationFilePath(), userName()));
    if (!single.becomeTheRunningCopy())
        return 0;

    taviro::widgets::RealMessageDialogs dialogs;
    taviro::SystemDesktopShell shell;
    taviro::SystemUserSettings settings;
    taviro::SystemTextPrinter printer;
    taviro::SystemClock clock;
    taviro::ui::Environment environment{dialogs,
                                        shell,
                                        settings,
                                        printer,
                                        clock,
                                        [&dialogs](taviro::Accounts& accounts, QWidget* parent) {
                                            taviro::ui::TTaviroLoginForm login(accounts, dialogs, parent);
                                            taviro::ui::LoginAnswer answer;
                                            answer.accepted = login.exec() == QDialog::Accepted;
                                            answer.user = login.currentUser();
                                            answer.password = login.currentPassword();
                                            return answer;
                                        },
                                        {}};

    const taviro::DataDirectory directory = taviro::DataDirectory::fromCommandLine(arguments(argc, argv));
    {
        // What a crash left in Temp goes at every start; nothing here waits or asks anything.
        taviro::ConsoleWaitNotifier unused;
        taviro::SharedFileAccess(directory, unused).removeStaleTemporaryFiles();
    }
    taviro::ui::TTaviroMainForm window(directory, environment);
    dialogs.setOwner(&window);
    QObject::connect(&single, &taviro::ui::SingleInstance::activationRequested, &window,
                     &taviro::ui::TTaviroMainForm::bringToFront);
    window.show();
    return QApplication::exec();
}
