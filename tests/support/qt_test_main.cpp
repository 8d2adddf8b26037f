#include <gtest/gtest.h>

#include <QApplication>

// Widget tests need a QApplication for the whole run. The offscreen platform is the default so
// that the suite runs without a display; an explicit QT_QPA_PLATFORM (xcb under Xvfb) wins.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
