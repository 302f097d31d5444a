// Entry point of every test executable: a QApplication on the offscreen platform and a
// private configuration folder, so tests neither need a display nor touch the user's files.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("QUORLIN_CONFIG_DIR", configDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
