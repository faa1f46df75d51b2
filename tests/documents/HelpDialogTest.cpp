// The help dialog driven through its controls: the help-at-start check box, printing, closing.
#include "RtfTestSupport.h"
#include "TaviroHelpCode.h"
#include "TestSupport.h"
#include "TextPrinter.h"
#include "UserSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

struct HelpDialog
{
    explicit HelpDialog(const char* startText = nullptr)
    {
        if (startText)
            data.write("Start.hlp", startText);
    }

    TTaviroHelpForm& form()
    {
        if (!m_form)
            m_form = std::make_unique<TTaviroHelpForm>(data.directory(), settings, printer);
        return *m_form;
    }
    template <typename T> T* control(const char* name)
    {
        T* found = form().findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QCheckBox* checkBox() { return control<QCheckBox>("TaviroHelpCheckBox"); }
    QTextEdit* richEdit() { return control<QTextEdit>("TaviroHelpRichEdit"); }

    TemporaryDataDirectory data;
    MemoryUserSettings settings;
    RecordingTextPrinter printer;

private:
    std::unique_ptr<TTaviroHelpForm> m_form;
};

} // namespace

TEST(HelpDialog, ShowsStartHelpFormattedOnItsBackground)
{
    HelpDialog dialog("{\\rtf1\\ansi Witaj w programie {\\b Taviro}\\'b9}");
    dialog.form().show();
    EXPECT_EQ(dialog.form().windowTitle(), "Pomoc");
    QTextEdit* box = dialog.richEdit();
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->toPlainText(), QString::fromUtf8("Witaj w programie Taviroą"));
    EXPECT_TRUE(runWith(*box->document(), "Taviro").bold());
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(255, 255, 215));
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(HelpDialog, WithoutStartHelpTheBoxStaysEmpty)
{
    HelpDialog dialog;
    dialog.form().show();
    EXPECT_TRUE(dialog.richEdit()->toPlainText().isEmpty());
}

TEST(HelpDialog, CheckBoxFollowsAndStoresTheHelpAtStartSetting)
{
    HelpDialog dialog;
    dialog.form().show();
    QCheckBox* box = dialog.checkBox();
    EXPECT_EQ(box->text(), QString::fromUtf8("Czy wyświetlać to okienko przy starcie programu ?"));
    EXPECT_TRUE(box->isChecked()) << "a missing value means on";
    EXPECT_TRUE(dialog.settings.values.empty()) << "showing the dialog writes nothing";

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(dialog.settings.values["Help"], "0") << "stored at once, before the dialog closes";

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(dialog.settings.values["Help"], "1");
}

TEST(HelpDialog, CheckBoxIsClearedOnlyByAStoredZero)
{
    const std::pair<const char*, bool> cases[] = {{"0", false}, {"1", true}, {"tak", true}, {"", true}, {" 0", true}};
    for (const auto& [stored, ticked] : cases) {
        HelpDialog dialog;
        dialog.settings.values["Help"] = stored;
        dialog.form().show();
        EXPECT_EQ(dialog.checkBox()->isChecked(), ticked) << "stored \"" << stored << "\"";
        EXPECT_EQ(dialog.settings.values["Help"], stored);
    }
}

TEST(HelpDialog, PrintSendsTheHelpTextUnderItsJobTitle)
{
    HelpDialog dialog("{\\rtf1 Tre\\'9c\\'e6 pomocy}");
    dialog.form().show();
    auto* print = dialog.control<QPushButton>("TaviroHelpPrintButton");
    EXPECT_EQ(print->text(), "Drukuj");

    dialog.printer.confirm = false;
    QTest::mouseClick(print, Qt::LeftButton);
    EXPECT_EQ(dialog.printer.dialogs, 1);
    EXPECT_TRUE(dialog.printer.jobs.empty()) << "a cancelled print dialog prints nothing";

    dialog.printer.confirm = true;
    QTest::mouseClick(print, Qt::LeftButton);
    ASSERT_EQ(dialog.printer.jobs.size(), 1u);
    EXPECT_EQ(dialog.printer.jobs[0].title,
              "Wydruk pomocy do programu \"Roreduva vizir uroradadudazaz azivavuzed idadorizodoza\" ...");
    EXPECT_EQ(dialog.printer.jobs[0].fileName, "Pomoc.pdf") << "printing to a file offers a plain name";
    EXPECT_EQ(dialog.printer.jobs[0].text, QString::fromUtf8("Treść pomocy"));
    EXPECT_TRUE(dialog.form().isVisible()) << "printing leaves the dialog open";
}

TEST(HelpDialog, PrintingToAFileStartsInTheDocumentsFolder)
{
    const QFileInfo offered(SystemTextPrinter::printFilePath(QStringLiteral("Pomoc.pdf")));
    EXPECT_EQ(offered.fileName(), "Pomoc.pdf");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(offered.absolutePath(), QFileInfo(documents).isDir() ? documents : QDir::homePath());
}

TEST(HelpDialog, EscapeAndCloseButtonCloseAsCancel)
{
    {
        HelpDialog dialog;
        dialog.form().show();
        dialog.form().setResult(QDialog::Accepted);
        QSignalSpy finished(&dialog.form(), &QDialog::finished);
        QTest::keyClick(&dialog.form(), Qt::Key_Escape);
        ASSERT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
        EXPECT_FALSE(dialog.form().isVisible());
    }
    {
        HelpDialog dialog;
        dialog.form().show();
        auto* close = dialog.control<QPushButton>("TaviroHelpCloseButton");
        EXPECT_EQ(close->text(), "Zamknij");
        EXPECT_TRUE(close->isDefault());
        QSignalSpy finished(&dialog.form(), &QDialog::finished);
        QTest::mouseClick(close, Qt::LeftButton);
        ASSERT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
    }
}

TEST(HelpDialog, EnterClosesThroughTheDefaultButton)
{
    HelpDialog dialog("Pomoc");
    dialog.form().show();
    dialog.form().setResult(QDialog::Accepted);
    dialog.checkBox()->setFocus();
    QSignalSpy finished(&dialog.form(), &QDialog::finished);
    QTest::keyClick(dialog.checkBox(), Qt::Key_Return);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Rejected);
    EXPECT_TRUE(dialog.printer.jobs.empty());
    EXPECT_TRUE(dialog.settings.values.empty());
}
