#include <QCoreApplication>

#include <gtest/gtest.h>

// Core tests: no widgets and no display, which proves the core runs without them.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
