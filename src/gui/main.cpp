#include <QApplication>

#include "gui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zentrix::gui::TFormMain window;
    window.show();
    return app.exec();
}
