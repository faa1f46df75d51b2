// taviro-admin backup in-process: how it exits and what it says for a copy made, a destination that
// is not empty, an intact and a damaged copy, and a folder that cannot be read.
#include "AdminCommands.h"
#include "TestSupport.h"
#include "TextCodec.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace taviro;
using namespace taviro::test;

namespace {

class BackupCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write("Cell.dat", recordFile({unitRecord("000001", "Kadry"), unitRecord("000002", "Płace")}));
        dir.write("Cell.cou", std::string("\x03\x00\x00\x00", 4));
    }

    int run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--data-dir", dir.directory().path(), "backup"});
        std::istringstream in;
        out.str({});
        err.str({});
        admin::Console console{in, out, err, false, nullptr};
        return admin::runAdminTool(arguments, console);
    }

    TemporaryDataDirectory dir;
    TemporaryDataDirectory target;
    const std::string copy = target.file("kopia");
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(BackupCommand, CopiesVerifiesAndRefusesWithItsExitCodes)
{
    ASSERT_EQ(run({copy}), admin::kSuccess) << err.str();
    const auto bytes = static_cast<long long>(dir.read("Cell.dat").size() + 4);
    EXPECT_EQ(out.str(), "Skopiowano 2 pliki (" + polishCount(bytes, "bajt", "bajty", "bajtów") + ") do katalogu " +
                             copy + "; spis kopii: Kopia.sha256.\n");
    EXPECT_EQ(target.read(relativeName({"kopia", "Cell.dat"})), dir.read("Cell.dat"));

    // A second copy into the same folder would mix two copies: refused, nothing written.
    const std::string manifest = target.read(relativeName({"kopia", "Kopia.sha256"}));
    dir.write("Cell.cou", std::string("\x04\x00\x00\x00", 4));
    EXPECT_EQ(run({copy}), admin::kRefused);
    EXPECT_NE(err.str().find("nie jest pusty"), std::string::npos) << err.str();
    EXPECT_EQ(target.read(relativeName({"kopia", "Kopia.sha256"})), manifest);
    EXPECT_EQ(target.read(relativeName({"kopia", "Cell.cou"})), std::string("\x03\x00\x00\x00", 4));

    EXPECT_EQ(run({"--verify", copy}), admin::kSuccess);
    EXPECT_EQ(out.str(), "Sprawdzono 2 pliki kopii: kopia jest zgodna ze spisem.\n");
    target.write(relativeName({"kopia", "Cell.cou"}), std::string("\x09\x00\x00\x00", 4));
    EXPECT_EQ(run({copy, "--verify"}), 1);
    EXPECT_EQ(out.str(), "Cell.cou: zawartość pliku różni się od zapisanej w spisie (inna suma SHA-256)\n"
                         "Sprawdzono 2 pliki kopii: znaleziono 1 problem.\n");

    EXPECT_EQ(run({"--verify", target.file("brak")}), admin::kFailure);
    EXPECT_NE(err.str().find("Nie można było sprawdzić kopii"), std::string::npos) << err.str();
    EXPECT_EQ(run({"--fast", copy}), admin::kUsage);
    EXPECT_EQ(run({}), admin::kUsage);
}
