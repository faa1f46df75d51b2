// How the program shows itself: captions exactly as described, nothing added by the desktop, its own
// icon on every window, and the desktop entry with the icon files that go with it.
#include "MainWindowFixture.h"

#include "IconFactory.h"
#include "TaviroHelpCode.h"
#include "TaviroInfoCode.h"
#include "TaviroQuestCode.h"
#include "dialogs/TaviroAboutCode.h"
#include "dialogs/TaviroImportCode.h"
#include "dialogs/TaviroLoginCode.h"
#include "dialogs/TaviroMoveCode.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

TEST(ProgramIdentity, CaptionsAreExactlyTheDescribedTextsWithNothingAdded)
{
    // A display name would be appended by X11 and Windows to every caption ("Informacja — …").
    QGuiApplication::setApplicationDisplayName(ui::TTaviroMainForm::applicationTitle());
    MainWindowFixture fixture;
    fixture.start();
    EXPECT_TRUE(QGuiApplication::applicationDisplayName().isEmpty());
    ui::TTaviroMainForm& window = *fixture.window;
    EXPECT_EQ(window.windowTitle(), "Ocena okresowa pracownika samorządowego");
    EXPECT_EQ(widgets::TTaviroInfoForm(&window).windowTitle(), "Informacja");
    EXPECT_EQ(widgets::TTaviroQuestForm(&window).windowTitle(), "Pytanie");
    EXPECT_EQ(ui::TTaviroLoginForm(window.services().accounts(), fixture.dialogs, &window).windowTitle(),
              "Identyfikacja użytkownika");
    EXPECT_EQ(ui::TTaviroAboutForm(&window).windowTitle(), "O programie ...");
    EXPECT_EQ(ui::TTaviroMoveForm({}, &window).windowTitle(), "Przenoszenie pracownika");
    EXPECT_EQ(ui::TTaviroImportForm(window.services().records(), fixture.dialogs, {}, {}, &window).windowTitle(),
              "Import komórek organizacyjnych i pracowników");
    EXPECT_EQ(TTaviroHelpForm(fixture.dir.directory(), fixture.settings, fixture.printer, &window).windowTitle(),
              "Pomoc");
}

TEST(ProgramIdentity, TheProgramIconIsOnTheWindowsAndInTheAboutDialog)
{
    MainWindowFixture fixture;
    fixture.start();
    const QImage drawn = ui::programPixmap(32).toImage();
    EXPECT_EQ(fixture.window->windowIcon().pixmap(32).toImage(), drawn);
    EXPECT_EQ(QGuiApplication::windowIcon().pixmap(32).toImage(), drawn) << "dialogs take it from the program";
    ui::TTaviroAboutForm about(fixture.window.get());
    const QLabel* image = about.findChild<QLabel*>(QStringLiteral("TaviroAboutImage"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
              drawn.convertToFormat(QImage::Format_ARGB32));
}

TEST(ProgramIdentity, TheDesktopEntryNamesTheProgramAndItsIconFilesAreTheProgramIcon)
{
    const QString folder = QStringLiteral(TAVIRO_DATA_FOLDER "/desktop");
    QSettings entry(folder + QStringLiteral("/taviro.desktop"), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(entry.value("Type").toString(), "Application");
    EXPECT_EQ(entry.value("Name").toString(), ui::TTaviroMainForm::applicationTitle()) << "what the task bar shows";
    EXPECT_EQ(entry.value("Icon").toString(), "taviro");
    EXPECT_TRUE(entry.value("Exec").toString().endsWith("/taviro"));
    for (const int size : ui::kProgramIconSizes) {
        const QImage file(folder + QStringLiteral("/taviro-%1.png").arg(size));
        ASSERT_FALSE(file.isNull()) << size;
        EXPECT_EQ(file.convertToFormat(QImage::Format_ARGB32),
                  ui::programPixmap(size).toImage().convertToFormat(QImage::Format_ARGB32))
            << size << ": made from the drawing (taviro_screenshots --icons)";
    }
}

TEST(ProgramIdentity, TheRunCommandInstallsTheEntryForTheUserWhateverTheFolderIsCalled)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    // Blanks and the characters that are special inside a quoted Exec.
    const QString data = home.filePath(QStringLiteral("Oceny 2026/$x\"y"));
    ASSERT_TRUE(QDir().mkpath(data));
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("share")));
    install.setProcessEnvironment(environment);
    install.start(QStringLiteral("bash"),
                  {QStringLiteral(TAVIRO_DATA_FOLDER "/../scripts/install-desktop-entry.sh"), data});
    ASSERT_TRUE(install.waitForFinished(30000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    QFile entry(home.filePath(QStringLiteral("share/applications/taviro.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
    const QString folder = QDir(data).absolutePath();
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Exec=\"%1/Oceny 2026/\\\\$x\\\\\"y/taviro\"").arg(QDir(home.path()).absolutePath())))
        << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Path=") + folder));
    for (const int size : ui::kProgramIconSizes)
        EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/taviro.png").arg(size))))
            << size;
}
