#include "app/window/window.h"

#include <QApplication>
#include <QMainWindow>

int window_main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Skyloom 2");
    window.show();
    return application.exec();
}
