// The help-at-start setting: on unless "Help" is exactly "0", stored as "1"/"0" in the user's
// settings of Velmora/Taviro.
#include "UserSettings.h"

#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace taviro;

TEST(UserSettings, HelpAtStartIsOffOnlyForAStoredZero)
{
    MemoryUserSettings settings;
    EXPECT_TRUE(helpAtStart(settings)) << "missing value";
    for (const char* on : {"1", "", "tak", " 0", "00"}) {
        settings.values["Help"] = on;
        EXPECT_TRUE(helpAtStart(settings)) << '"' << on << '"';
    }
    settings.values["Help"] = "0";
    EXPECT_FALSE(helpAtStart(settings));
}

TEST(UserSettings, SettingHelpAtStartStoresOneOrZero)
{
    MemoryUserSettings settings;
    setHelpAtStart(settings, false);
    EXPECT_EQ(settings.values.at("Help"), "0");
    EXPECT_FALSE(helpAtStart(settings));
    setHelpAtStart(settings, true);
    EXPECT_EQ(settings.values.at("Help"), "1");
    EXPECT_EQ(settings.values.size(), 1u);
}

TEST(UserSettings, TheSystemStoreKeepsTheValueForTheNextStart)
{
    // The test program points the configuration folder at a temporary one.
    const QString file =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Velmora/Taviro.conf";
    ASSERT_TRUE(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"));
    {
        SystemUserSettings settings;
        EXPECT_EQ(settings.value("Help"), std::nullopt);
        EXPECT_TRUE(helpAtStart(settings));
        setHelpAtStart(settings, false);
        EXPECT_TRUE(QFile::exists(file)) << "written at once: " << file.toStdString();
    }
    {
        SystemUserSettings nextStart;
        EXPECT_EQ(nextStart.value("Help"), "0");
        EXPECT_FALSE(helpAtStart(nextStart));
        setHelpAtStart(nextStart, true);
    }
    SystemUserSettings third;
    EXPECT_TRUE(helpAtStart(third));
    EXPECT_EQ(third.value("Help"), "1");
}
