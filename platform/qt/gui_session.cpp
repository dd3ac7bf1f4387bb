#include "platform/qt/gui_session.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

void ensure_gui_session() {
    if (QCoreApplication::instance()) return;
    bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "skyloom";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(argc, argv);
}
