#include <gtest/gtest.h>

#include <QApplication>

// Widget tests run on the offscreen platform unless the caller chose another one, so they never need
// a display and never wait on a real window.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
