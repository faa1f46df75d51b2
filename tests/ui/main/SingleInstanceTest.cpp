// One running copy per user and program: a second start asks the first to come to the front.
#include "ChildProcess.h"
#include "MainWindowFixture.h"

#include "SingleInstance.h"

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
    qputenv("USER", QUuid::createUuid().toString(QUuid::Id128).left(12).toUtf8());
    const std::vector<std::string> arguments = {"--data-dir", dir.directory().path()};
    ChildProcess first(TAVIRO_PROGRAM, arguments, dir.file("first.out"));
    sleepMs(1500); // the first copy is up and waits in its login dialog
    ChildProcess second(TAVIRO_PROGRAM, arguments, dir.file("second.out"));
    EXPECT_EQ(second.wait(), 0) << "the second start ends by itself";
    // The first copy is still there: killing it is the only way it ends.
    first.kill();
}
