// The main window on a temporary data directory, driven through the unit and employee pages.
#pragma once

#include "MainWindowFixture.h"

#include "CommandBar.h"
#include "NavigationPanel.h"

#include "TextCodec.h"

#include <QAction>
#include <QDate>
#include <QTest>

#include <gtest/gtest.h>

namespace taviro::test {

class RegisterPageTest : public ::testing::Test
{
protected:
    void start() { fixture.start(); }

    ui::TTaviroMainForm& window() { return *fixture.window; }
    QComboBox* units() { return fixture.window->navigation()->unitList(); }
    QTreeWidget* tree() { return fixture.window->navigation()->tree(); }

    template <typename T = QWidget> T* control(const char* name)
    {
        T* found = fixture.window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void run(ui::Command command) { fixture.window->commands()->menuItem(command)->trigger(); }
    bool isEnabled(ui::Command command) { return fixture.window->commands()->menuItem(command)->isEnabled(); }
    ui::PageId currentPage() const { return fixture.window->session().currentPage; }

    // Types text key by key, letters outside Latin-1 (ą, ł, ż …) included.
    static void typeText(QWidget* widget, const QString& text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    // The fixture's clock: every date the pages start with comes from it.
    std::string today() const { return formatDate(fixture.clock.today()); }
    QDate todayDate() const
    {
        const Date date = fixture.clock.today();
        return QDate(date.year, date.month, date.day);
    }

    // The file's text in UTF-8, its lines ending in LF.
    std::string fileText(std::string_view name) const
    {
        std::string text = cp1250ToUtf8(fixture.dir.read(name));
        std::string lines;
        for (const char c : text) {
            if (c != '\r')
                lines += c;
        }
        return lines;
    }

    bool fileHasLine(std::string_view name, const std::string& line) const
    {
        return ("\n" + fileText(name)).find("\n" + line + "\n") != std::string::npos;
    }

    MainWindowFixture fixture;
};

} // namespace taviro::test
