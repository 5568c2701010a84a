#include "gui/main_window.h"

#include "version.h"

namespace zentrix::gui {

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(
        QStringLiteral("Zentrix 8x20 версия %1").arg(QString::fromUtf8(kProgramVersion)));
    resize(1200, 800);
}

}  // namespace zentrix::gui
