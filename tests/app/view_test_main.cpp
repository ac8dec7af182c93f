// GoogleTest with a QApplication, on the offscreen platform unless told otherwise. Qt keeps
// state of its own dialogs (the file dialog's columns and folders) in the user's settings
// folder: the tests get a folder of their own, so they neither leave traces in the user's nor
// depend on what an earlier run left there. The same holds for the controller backups in the
// user's data folder.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    if (!settings.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (settings.path() + QStringLiteral("/data")).toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
