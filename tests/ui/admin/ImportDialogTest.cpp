// The import dialog: its explanation, the file chooser, the messages, and the navigation panel
// rebuilt by the administration page afterwards.
#include "MainWindowFixture.h"

#include "CommandBar.h"
#include "NavigationPanel.h"
#include "dialogs/TaviroImportCode.h"
#include "pages/AdminPage.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;
using taviro::ui::TaviroAdminPanel;
using taviro::ui::TTaviroImportForm;
using taviro::ui::TTaviroMainForm;

namespace {

std::string importLine(const std::string& unit, const std::string& first, const std::string& surname)
{
    return "Gmina Lipno\tLipno\t" + unit + "\tJan Kierownik\tKierownik\t" + first + "\t" + surname +
           "\tReferent\t1\t01-02-2003\t04-05-2006";
}

class ImportFromAdminPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fixture.start();
        ASSERT_TRUE(fixture.window->isStarted());
        fixture.window->commands()->menuItem(Command::Administration)->trigger();
        page = qobject_cast<TaviroAdminPanel*>(fixture.window->page(ui::PageId::Admin));
        ASSERT_NE(page, nullptr);
        fixture.environment.chooseImportFile = [this](QWidget*, const QString& startDirectory) {
            startDirectories << startDirectory;
            return chosenFile;
        };
    }

    // Presses "Importuj" on the page and then in the dialog; returns the dialog's result.
    int runImport()
    {
        int result = -1;
        fixture.onDialog = [&result](QDialog& dialog) {
            dialog.findChild<QPushButton*>("TaviroImportOkButton")->click();
            result = dialog.result();
        };
        page->findChild<QPushButton*>("TaviroAdminImportButton")->click();
        fixture.onDialog = nullptr;
        return result;
    }

    QStringList unitList() const
    {
        QStringList names;
        const QComboBox* list = fixture.window->navigation()->unitList();
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        return names;
    }

    MainWindowFixture fixture;
    TaviroAdminPanel* page = nullptr;
    QString chosenFile;
    QStringList startDirectories;
};

} // namespace

TEST(ImportDialog, ExplainsTheFileFormat)
{
    TestStore store;
    widgets::ScriptedMessageDialogs dialogs;
    TTaviroImportForm form(store.records, dialogs, QString::fromStdString(store.dir.directory().path()));
    EXPECT_EQ(form.windowTitle(), "Import komórek organizacyjnych i pracowników");
    auto* memo = form.findChild<QPlainTextEdit*>("TaviroImportMemo");
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    const QStringList lines = memo->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 34);
    EXPECT_EQ(lines[0], "UWAGA! Przeczytaj zanim użyjesz funkcji \"Import\".");
    EXPECT_EQ(lines[3], "kwalifikacyjna pracownika samorządowego\" informacji o komórkach");
    EXPECT_EQ(lines[9], "Program wymaga jedynie wypełnienia pól:  nazwa komórki organizacyjnej");
    EXPECT_TRUE(lines[13].isEmpty());
    EXPECT_EQ(lines[29], "ogonków wiec działy \"Księgowość\" i \"Ksiegowosc\" będą różnymi działami.");
    EXPECT_EQ(lines[33], "danych.");
    EXPECT_EQ(form.findChild<QPushButton*>("TaviroImportOkButton")->text(), "Importuj");
    auto* cancel = form.findChild<QPushButton*>("TaviroImportCancelButton");
    EXPECT_EQ(cancel->text(), "Rezygnuj");
    EXPECT_TRUE(cancel->isDefault());

    // Esc closes it with the cancel result, and nothing is asked for.
    form.show();
    QTest::keyPress(&form, Qt::Key_Escape);
    QTest::keyRelease(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(store.dir.exists("Cell.dat"));
}

TEST(ImportDialog, TheExplanationScrollsFromTheKeyboard)
{
    TestStore store;
    widgets::ScriptedMessageDialogs dialogs;
    TTaviroImportForm form(store.records, dialogs, QString::fromStdString(store.dir.directory().path()));
    form.show();
    auto* memo = form.findChild<QPlainTextEdit*>("TaviroImportMemo");
    ASSERT_NE(memo, nullptr);
    QScrollBar* bar = memo->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(memo, Qt::Key_PageDown);
    EXPECT_GT(bar->value(), 0);
    EXPECT_TRUE(memo->isReadOnly());
}

TEST(ImportDialog, TheFileDialogOffersTextFilesFromTheDataDirectory)
{
    TestStore store;
    const QString start = QString::fromStdString(store.dir.directory().path());
    QString seenName;
    QStringList seenFilters;
    QString seenSuffix;
    QString seenDirectory;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        seenName = dialog->objectName();
        seenFilters = dialog->nameFilters();
        seenSuffix = dialog->defaultSuffix();
        seenDirectory = dialog->directory().absolutePath();
        dialog->reject();
    });
    poll.start();
    EXPECT_TRUE(TTaviroImportForm::chooseWithFileDialog(nullptr, start).isEmpty()) << "cancelled";
    EXPECT_EQ(seenName, "TaviroImportOpenDialog");
    EXPECT_EQ(seenFilters, (QStringList{"Pliki tekstowe (*.txt)", "Wszystkie pliki (*.*)"}));
    EXPECT_EQ(seenSuffix, "txt");
    EXPECT_EQ(QDir(seenDirectory), QDir(start));
}

TEST_F(ImportFromAdminPage, ImportedUnitsAppearInTheNavigationPanel)
{
    chosenFile = QString::fromStdString(fixture.dir.file("lista.txt"));
    fixture.dir.write("lista.txt", storedText({importLine("Kadry", "Anna", "Nowak"), "za krótka\tlinia",
                                               importLine("KADRY", "Jan", "Kowalski"),
                                               importLine("Księgowość", "Ewa", "Wiśniewska")}));
    EXPECT_EQ(runImport(), QDialog::Accepted);

    EXPECT_TRUE(fixture.dialogs.informations.isEmpty());
    EXPECT_EQ(fixture.shownDialogs, QStringList{"Import komórek organizacyjnych i pracowników"});
    EXPECT_EQ(fixture.commandsLockedDuringDialog, std::vector<bool>{true});
    EXPECT_EQ(startDirectories, QStringList{QString::fromStdString(fixture.dir.directory().path())});
    EXPECT_EQ(unitList(), (QStringList{"Kadry", "Księgowość"}));
    QTreeWidget* tree = fixture.window->navigation()->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "Jan Kowalski");
    EXPECT_EQ(page->unitChecklist()->count(), 0) << "the page's own list waits for the next opening";
    EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::Admin);
    EXPECT_EQ(fixture.window->statusBar()->currentMessage(),
              "Przyjęte wiersze: 3, nowe komórki: 2, nowi pracownicy: 3. Plik odczytano w kodowaniu Windows-1250.")
        << "what the import did, once the dialog is closed";

    // The same file again adds nothing and, every line being taken, says nothing but the counts.
    EXPECT_EQ(runImport(), QDialog::Accepted);
    EXPECT_TRUE(fixture.dialogs.informations.isEmpty());
    EXPECT_TRUE(fixture.window->statusBar()->currentMessage().startsWith(
        "Przyjęte wiersze: 3, nowe komórki: 0, nowi pracownicy: 0."));
    EXPECT_EQ(unitList(), (QStringList{"Kadry", "Księgowość"}));
    EXPECT_EQ(tree->topLevelItemCount(), 2);
}

// The dialog hands on which encoding it read the file in; the administration page says it in the
// status bar (see the test above for Windows-1250).
TEST(ImportDialog, ItsResultSaysWhichEncodingTheFileWasReadIn)
{
    TestStore store;
    widgets::ScriptedMessageDialogs dialogs;
    TemporaryDataDirectory inputs;
    inputs.write("lista.txt", "\xEF\xBB\xBF" + importLine("Księgowość", "Żaneta", "Wójcik") + "\r\n");
    TTaviroImportForm form(store.records, dialogs, QString::fromStdString(store.dir.directory().path()),
                           [&](QWidget*, const QString&) { return QString::fromStdString(inputs.file("lista.txt")); });
    form.findChild<QPushButton*>("TaviroImportOkButton")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.informations.isEmpty());
    ASSERT_TRUE(form.importResult().has_value());
    EXPECT_EQ(importSummaryText(*form.importResult()), "Przyjęte wiersze: 1, nowe komórki: 1, nowi pracownicy: 1. "
                                                       "Plik odczytano w kodowaniu UTF-8 ze znacznikiem BOM.");
    EXPECT_EQ(UnitRegister(store.records).liveUnits(), (std::vector<UnitEntry>{{"000001", "Księgowość"}}))
        << "no mark in the unit's name, no mangled letters";
}

TEST_F(ImportFromAdminPage, AFileWithTextTheDataFilesCannotHoldIsRefusedNamingItsLine)
{
    chosenFile = QString::fromStdString(fixture.dir.file("serce.txt"));
    fixture.dir.write("serce.txt", importLine("Kadry", "Anna", "Nowak") + "\r\n" +
                                       importLine("Kadry", "Jan", "Kowalski ♥") + "\r\n");
    EXPECT_EQ(runImport(), QDialog::Accepted) << "the dialog closes";
    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_TRUE(fixture.dialogs.informations[0].startsWith("Wiersz 2 pliku importu zawiera znak „♥”"))
        << fixture.dialogs.informations[0].toStdString();
    EXPECT_TRUE(fixture.dialogs.informations[0].endsWith("Nic nie zostało zaimportowane."));
    EXPECT_FALSE(fixture.dir.exists("Cell.dat")) << "not even the first line's unit";
    EXPECT_FALSE(fixture.window->statusBar()->currentMessage().startsWith("Przyjęte wiersze"));
    EXPECT_TRUE(unitList().isEmpty());
}

TEST_F(ImportFromAdminPage, AFileWithoutUsableLinesIsReported)
{
    chosenFile = QString::fromStdString(fixture.dir.file("pusty.txt"));
    fixture.dir.write("pusty.txt", "");
    runImport();
    EXPECT_EQ(fixture.dialogs.informations, QStringList{"UWAGA! Błędny format pliku lub brak danych."});

    fixture.dir.write("pusty.txt", storedText({"a\tb\tc\td\te\tf\tg\th\ti\tj", ""}));
    runImport();
    EXPECT_EQ(fixture.dialogs.informations.size(), 2) << "nine tabs are not enough";
    EXPECT_FALSE(fixture.dir.exists("Cell.dat"));
}

TEST_F(ImportFromAdminPage, CancellingTheFileDialogImportsNothing)
{
    chosenFile.clear();
    EXPECT_EQ(runImport(), QDialog::Rejected);
    EXPECT_EQ(startDirectories.size(), 1);
    EXPECT_TRUE(fixture.dialogs.informations.isEmpty());
    EXPECT_FALSE(fixture.dir.exists("Cell.dat"));
}

TEST_F(ImportFromAdminPage, AFileThatCannotBeReadIsAnInputOutputError)
{
    chosenFile = QString::fromStdString(fixture.dir.file("brak.txt"));
    EXPECT_EQ(runImport(), QDialog::Accepted) << "the dialog closes";
    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_TRUE(fixture.dialogs.informations[0].startsWith("Błąd wejścia/wyjścia"))
        << fixture.dialogs.informations[0].toStdString();
    EXPECT_TRUE(fixture.dialogs.informations[0].contains("brak.txt"));
}
