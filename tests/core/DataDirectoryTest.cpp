// Where the data files live.
#include "DataDirectory.h"
#include "platform/PlatformFiles.h"

#include <gtest/gtest.h>

using namespace taviro;

TEST(DataDirectory, FolderOfTheExecutableEndsWithOneSeparator)
{
    EXPECT_EQ(DataDirectory::folderOfExecutable(R"(C:\Apps\Oceny\prog.exe)", '\\'), R"(C:\Apps\Oceny\)");
    EXPECT_EQ(DataDirectory::folderOfExecutable(R"(X:\prog.exe)", '\\'), R"(X:\)");
    EXPECT_EQ(DataDirectory::folderOfExecutable(R"(\\serwer\oceny\prog.exe)", '\\'), R"(\\serwer\oceny\)");
    EXPECT_EQ(DataDirectory::folderOfExecutable("/opt/taviro/taviro", '/'), "/opt/taviro/");
    EXPECT_EQ(DataDirectory::folderOfExecutable("/taviro", '/'), "/");
}

TEST(DataDirectory, CommandLineOptionOverridesTheExecutableFolder)
{
    const char sep = platform::kSeparator;
    const std::string given = platform::absolutePath("dane");
    EXPECT_EQ(DataDirectory::fromCommandLine({"taviro", "--data-dir", "dane"}).path(), given + sep);
    EXPECT_EQ(DataDirectory::fromCommandLine({"taviro", "--data-dir=dane"}).path(), given + sep);
    const std::string own = DataDirectory::fromCommandLine({"taviro"}).path();
    EXPECT_EQ(own.back(), sep);
    EXPECT_EQ(own, DataDirectory::folderOfExecutable(platform::executablePath(), sep));
}

TEST(DataDirectory, RelativeNamesUseThePlatformSeparator)
{
    const char sep = platform::kSeparator;
    const DataDirectory dir(std::string("base") + sep);
    EXPECT_EQ(dir.file("Cell.dat"), std::string("base") + sep + "Cell.dat");
    EXPECT_EQ(dir.file("Temp\\Cell1.tem"), std::string("base") + sep + "Temp" + sep + "Cell1.tem");
    EXPECT_EQ(dir.file("Temp/Cell1.tem"), dir.file("Temp\\Cell1.tem"));
    EXPECT_EQ(relativeName({"Temp", "Pe00000100000001.tem"}), std::string("Temp") + sep + "Pe00000100000001.tem");
}
