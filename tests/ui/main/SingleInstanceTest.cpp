// One running copy per user and program: a second start asks the first to come to the front.
#include "ChildProcess.h"
#include "MainWindowFixture.h"

#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QUuid>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

TEST(SingleInstance, ASecondCopyAsksTheFirstToComeForward)
{
    const QString key = QStringLiteral("taviro-test-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    ui::SingleInstance first(key);
    ASSERT_TRUE(first.becomeTheRunningCopy());
    QSignalSpy activations(&first, &ui::SingleInstance::activationRequested);
    {
        ui::SingleInstance second(key);
        EXPECT_FALSE(second.becomeTheRunningCopy());
    }
    EXPECT_TRUE(activations.count() > 0 || activations.wait(3000));
}

TEST(SingleInstance, KeysDependOnUserAndExecutableName)
{
    EXPECT_EQ(ui::SingleInstance::keyFor("/opt/a/taviro", "anna"),
              ui::SingleInstance::keyFor("/home/x/taviro", "anna"));
    EXPECT_NE(ui::SingleInstance::keyFor("/opt/a/taviro", "anna"), ui::SingleInstance::keyFor("/opt/a/taviro", "ewa"));
    EXPECT_NE(ui::SingleInstance::keyFor("/opt/a/taviro", "anna"), ui::SingleInstance::keyFor("/opt/a/oceny", "anna"));
}

TEST(SingleInstance, TwoStartsOfTheProgramLeaveOneRunningCopy)
{
    TemporaryDataDirectory dir;
    // A user name of its own keeps this test apart from any copy a developer has open.
    const QString user = QUuid::createUuid().toString(QUuid::Id128).left(12);
    qputenv("USER", user.toUtf8());
    const std::vector<std::string> arguments = {"--data-dir", dir.directory().path()};
    ChildProcess first(TAVIRO_PROGRAM, arguments, dir.file("first.out"));
    // The first copy has become the running one once it holds its lock file.
    const QString lock =
        QDir(QDir::tempPath()).filePath(ui::SingleInstance::keyFor(QStringLiteral(TAVIRO_PROGRAM), user) + ".lock");
    ASSERT_TRUE(MainWindowFixture::waitFor([&] { return QFileInfo::exists(lock); }, 60000));
    ChildProcess second(TAVIRO_PROGRAM, arguments, dir.file("second.out"));
    ASSERT_TRUE(second.waitFor(60000)) << "the second start ends by itself";
    EXPECT_EQ(second.wait(), 0);
    EXPECT_FALSE(first.waitFor(200)) << "the first copy keeps running";
    first.kill();
}
