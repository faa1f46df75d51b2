// Renders the main window and every dialog to PNG files, for a person to look at:
//   taviro_screenshots OUTPUT-FOLDER
// Runs on any Qt platform; scripts/screenshots.sh uses the offscreen one.
#include "SheetScreens.h"
#include "TestSupport.h"

#include "CommandBar.h"
#include "DesktopShell.h"
#include "EntryControls.h"
#include "IconFactory.h"
#include "MessageDialogs.h"
#include "NavigationPanel.h"
#include "TaviroHelpCode.h"
#include "TaviroInfoCode.h"
#include "TaviroMainCode.h"
#include "TaviroPrintCode.h"
#include "TaviroQuestCode.h"
#include "TaviroSendCode.h"
#include "TextPrinter.h"
#include "UserSettings.h"
#include "dialogs/TaviroAboutCode.h"
#include "dialogs/TaviroImportCode.h"
#include "dialogs/TaviroLoginCode.h"
#include "dialogs/TaviroMoveCode.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

#include <iostream>

using namespace taviro;

namespace {

QString outputFolder;

void settle(int milliseconds = 100)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void save(QWidget* widget, const QString& name)
{
    widget->show();
    settle();
    const QString path = QDir(outputFolder).filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(path))
        std::cerr << "cannot write " << path.toStdString() << "\n";
    else
        std::cout << path.toStdString() << "\n";
}

// The window with the pop-ups and tool tips open over it, as they stand on the screen.
void saveWithPopups(QWidget* window, const QString& name)
{
    settle();
    QPixmap picture = window->grab();
    QPainter painter(&picture);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != window && top->isVisible() && (top->windowType() == Qt::Popup || top->windowType() == Qt::ToolTip))
            painter.drawPixmap(top->geometry().topLeft() - window->geometry().topLeft(), top->grab());
    }
    painter.end();
    const QString path = QDir(outputFolder).filePath(name + QStringLiteral(".png"));
    if (picture.save(path))
        std::cout << path.toStdString() << "\n";
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != window && top->isVisible() && top->windowType() == Qt::Popup)
            top->close();
    }
    QToolTip::hideText();
}

// The program icon in every size, as the desktop entry's icon files hold it (data/desktop).
int writeIcons(const QString& folder)
{
    QDir().mkpath(folder);
    for (const int size : ui::kProgramIconSizes) {
        const QString path = QDir(folder).filePath(QStringLiteral("taviro-%1.png").arg(size));
        if (!ui::programPixmap(size).save(path))
            return 1;
        std::cout << path.toStdString() << "\n";
    }
    return 0;
}

// A tool tip as resting the mouse on that point of the widget brings it.
void restMouseOn(QWidget* widget, const QPoint& at)
{
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &help);
}

void prepareData(const test::TemporaryDataDirectory& dir)
{
    dir.write(
        "Cell.dat",
        test::storedText({"{", "ID=000001", "CELLNAME=Wydział Organizacyjny", "CELLDELETE=0", "}", "", "{", "ID=000002",
                          "CELLNAME=Referat Podatków i Opłat", "CELLDELETE=0", "}", "", "{", "ID=000003",
                          "CELLNAME=Wydział Gospodarki Nieruchomościami, Rolnictwa, Ochrony Środowiska i "
                          "Zagospodarowania Przestrzennego",
                          "CELLDELETE=0", "}", ""}));
    dir.write("Pe000001.dat",
              test::storedText({"{",
                                "ID=000001",
                                "PERSONNAME=Małgorzata",
                                "PERSONSURNAME=Wiśniewska",
                                "PERSONPOSITION=Inspektor ds. kadr i płac",
                                "PERSONEMPLOY=0",
                                "PERSONDATE1=01-04-2009",
                                "PERSONDATE2=15-09-2018",
                                "PERSONDUTY1=Prowadzenie akt osobowych pracowników#$Sporządzanie list płac#$"
                                "Rozliczanie czasu pracy",
                                "PERSONDUTY2=Udział w inwentaryzacji składników majątku",
                                "PERSONDELETE=0",
                                "}",
                                "",
                                "{",
                                "ID=000002",
                                "PERSONNAME=Łukasz Maria",
                                "PERSONSURNAME=Żółkiewski-Brzęczyszczykiewicz",
                                "PERSONDELETE=0",
                                "}",
                                ""}));
    dir.write("Cell.hlp", test::storedText({"Wpisz nazwę i miejscowość jednostki samorządu terytorialnego oraz dane "
                                            "komórki organizacyjnej i osoby oceniającej."}));
    dir.write("Person.hlp", test::storedText({"Wpisz imię, nazwisko i stanowisko pracownika, daty zatrudnienia oraz "
                                              "jego obowiązki, zadania i uprawnienia."}));
    dir.write("Gr000001.dat", test::storedText({"{", "ID=000001", "SECTIONDDATE2=30-06-2026", "DELETE=0", "}", ""}));
    QFile::copy(QStringLiteral(TAVIRO_DATA_FOLDER "/Start.hlp"), QString::fromStdString(dir.file("Start.hlp")));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    if (argc < 2) {
        std::cerr << "usage: taviro_screenshots OUTPUT-FOLDER\n";
        return 64;
    }
    if (argc == 3 && QString::fromLatin1(argv[1]) == QStringLiteral("--icons"))
        return writeIcons(QString::fromLocal8Bit(argv[2]));
    outputFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputFolder);
    {
        // The program icon in its sizes side by side.
        QPixmap icons(16 + 24 + 32 + 48 + 64 + 128 + 256 + 8 * 8, 264);
        icons.fill(Qt::white);
        QPainter painter(&icons);
        int left = 8;
        for (const int size : ui::kProgramIconSizes) {
            painter.drawPixmap(left, 4, ui::programPixmap(size));
            left += size + 8;
        }
        painter.end();
        icons.save(QDir(outputFolder).filePath(QStringLiteral("00-program-icon.png")));
    }

    test::TemporaryDataDirectory dir;
    prepareData(dir);
    widgets::ScriptedMessageDialogs dialogs;
    RecordingDesktopShell shell;
    MemoryUserSettings settings;
    settings.values["Help"] = "0";
    RecordingTextPrinter printer;
    test::FixedClock clock;
    ui::Environment environment{
        dialogs,        shell,
        settings,       printer,
        clock,          [](Accounts&, QWidget*) {
                                    return ui::LoginAnswer{true, QStringLiteral("Administrator"), {}}; },
        [](QDialog&) {}};

    ui::TTaviroMainForm window(dir.directory(), environment);
    window.show();
    while (!window.isStarted())
        settle(20);
    auto* tree = window.navigation()->tree();
    tree->expandAll();
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    save(&window, QStringLiteral("01-main-window"));
    // Long names: the whole text of a node in a tool tip, the unit list bounded to the screen.
    QTreeWidgetItem* longNode = tree->topLevelItem(1);
    restMouseOn(tree->viewport(), tree->visualItemRect(longNode).center());
    saveWithPopups(&window, QStringLiteral("01a-tree-tool-tip"));
    window.navigation()->unitList()->showPopup();
    saveWithPopups(&window, QStringLiteral("01b-unit-list-open"));
    window.showPage(ui::PageId::Cell);
    window.lockCommands();
    save(&window, QStringLiteral("02-main-window-content-page"));
    window.showPage(ui::PageId::Start);
    window.unlockCommands();
    {
        test::CountingNotifier accountsNotifier;
        SharedFileAccess accountFiles(dir.directory(), accountsNotifier);
        Accounts(accountFiles)
            .writeUsers({{"Anna", "Nowak", "Inspektor", "anowak", "tajne", "11110110110001", "000001#"},
                         {"Łukasz", "Żółkiewski", "Kierownik referatu", "lzolkiewski", "haslo", "01000100000000",
                          "000001#000002#"}});
    }
    window.commands()->menuItem(ui::Command::Administration)->trigger();
    save(&window, QStringLiteral("03-main-window-admin-page"));
    // A unit name too long for the check list, whole in its tool tip.
    if (auto* checklist = window.findChild<QListWidget*>(QStringLiteral("TaviroAdminCheckListBox"));
        checklist && checklist->count() > 2) {
        restMouseOn(checklist->viewport(), checklist->visualItemRect(checklist->item(2)).center());
        saveWithPopups(&window, QStringLiteral("03a-admin-unit-tool-tip"));
    }
    window.returnToStartPage();
    window.commands()->menuItem(ui::Command::NewUnit)->trigger();
    save(&window, QStringLiteral("04-unit-page-new"));
    // A character the data files cannot hold, typed into a name: the note at the field.
    if (auto* name = window.findChild<QLineEdit*>(QStringLiteral("TaviroCellEdit3"))) {
        name->setFocus();
        name->insert(QStringLiteral("Referat Ж"));
        saveWithPopups(&window, QStringLiteral("04a-unit-page-field-note"));
    }
    window.findChild<QPushButton*>(QStringLiteral("TaviroCellCancelButton"))->click();
    tree->setCurrentItem(tree->topLevelItem(0));
    window.commands()->menuItem(ui::Command::CorrectEmployee)->trigger();
    save(&window, QStringLiteral("05-employee-page-correct"));
    window.findChild<QPushButton*>(QStringLiteral("TaviroPersonCancelButton"))->click();
    window.commands()->menuItem(ui::Command::Deadlines)->trigger();
    save(&window, QStringLiteral("06-deadlines-page"));
    window.findChild<QPushButton*>(QStringLiteral("TaviroDueCloseButton"))->click();
    // The sheet pages at the size of the content area.
    window.showPage(ui::PageId::GradeA);
    const QSize pageSize = window.page(ui::PageId::GradeA)->size();
    window.returnToStartPage();
    test::renderSheetPages(pageSize, save);

    test::CountingNotifier notifier;
    SharedFileAccess files(dir.directory(), notifier);
    Accounts accounts(files);
    ui::TTaviroLoginForm login(accounts, dialogs, &window);
    save(&login, QStringLiteral("10-login"));
    widgets::TTaviroInfoForm info(&window);
    info.setText(QStringLiteral("Brak dostępu do funkcji dla użytkownika - anowak."));
    save(&info, QStringLiteral("11-information"));
    widgets::TTaviroQuestForm question(&window);
    question.setText(QStringLiteral("Czy na pewno usunąć komórkę organizacyjną?"));
    save(&question, QStringLiteral("12-question"));
    ui::TTaviroAboutForm about(&window);
    save(&about, QStringLiteral("13-about"));
    TTaviroHelpForm help(dir.directory(), settings, printer, &window);
    save(&help, QStringLiteral("14-help"));
    ui::TTaviroMoveForm move({{QStringLiteral("Referat Podatków i Opłat"), 2}}, &window);
    save(&move, QStringLiteral("15-move"));
    ui::TTaviroImportForm import(window.services().records(), dialogs, QString::fromStdString(dir.directory().path()),
                                 {}, &window);
    save(&import, QStringLiteral("16-import"));
    print::TTaviroPrintForm printParts({}, &window);
    save(&printParts, QStringLiteral("17-print-parts"));
    print::TTaviroSendForm notification({}, &window);
    save(&notification, QStringLiteral("18-print-notification"));
    return 0;
}
