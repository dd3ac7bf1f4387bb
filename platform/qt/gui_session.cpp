#include "platform/qt/gui_session.h"

#include <QGuiApplication>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <memory>

#include "platform/qt/vector_state.h"

void ensure_gui_session() {
    if (QCoreApplication::instance()) return;
    VectorStateGuard clean;
    bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        // The toolkit wants a private runtime folder; a script's session may have none.
        std::string folder = "/tmp/skyloom-runtime-" + std::to_string(getuid());
        mkdir(folder.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    // The application keeps the argument count and vector it is given: they
    // live as long as it does, in one record.  The application is made while
    // the record is, so that the record is destroyed at exit before the
    // toolkit's own globals are.
    struct Session {
        int argc = 1;
        char name[8] = "skyloom";
        char* argv[2] = {name, nullptr};
        std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(argc, argv);
    };
    static Session session;  // one toolkit application a process, kept to its end
}
