#pragma once
// The main() of a test program that draws with the toolkit or opens its
// widgets: offscreen unless a platform is set.  Included once, at the end of
// the program's one source file.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Death tests start a fresh copy of this program rather than forking one with toolkit threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
