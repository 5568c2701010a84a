#include "gui/application.h"

#include <iostream>

namespace zentrix::gui {

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        std::cerr << "Zentrix_8x20: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "Zentrix_8x20: unknown error\n";
    }
    return false;
}

}  // namespace zentrix::gui
