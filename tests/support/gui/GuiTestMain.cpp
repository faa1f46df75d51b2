// The main() of the GUI test programs: widgets need an application object, the tests run without a
// screen unless a platform is chosen explicitly, and the per-user settings are kept in a folder of
// their own so that no test touches the user's.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Must be set before the first QSettings.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
