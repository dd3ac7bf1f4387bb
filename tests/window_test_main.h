#pragma once
// The main() of the test programs that open the window: offscreen unless a
// platform is set, the settings and the user's data in a scratch folder
// (removed afterwards), and every message box answered as it opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "window/window.h"

// Lets the toolkit handle what is queued, a few rounds since handling an
// event (a resize, a shown dialog) queues more.
inline void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

inline int run_window_tests(int argc, char** argv, const std::filesystem::path& scratch, void (*answer_box)()) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (scratch / "share").c_str(), 1);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, answer_box);
    answerer.start(10);
    int result = RUN_ALL_TESTS();
    if (client_area()) release_main_window();
    std::filesystem::remove_all(scratch);
    return result;
}
