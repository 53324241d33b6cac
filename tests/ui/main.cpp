// GUI tests run on Qt's offscreen platform: no display needed.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Printing and downloading load their modules from this build.
    if (!qEnvironmentVariableIsSet("ZORV_MODULE_PATH")) qputenv("ZORV_MODULE_PATH", ZORV_MODULE_OUTPUT_DIR);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
