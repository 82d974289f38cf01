// Test entry point for the libraries that lay out text without widgets
// (documents, fonts): a QGuiApplication, run offscreen by CTest, and
// GoogleTest.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
