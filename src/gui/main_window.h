#pragma once

#include <QMainWindow>

namespace zentrix::gui {

class TFormMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFormMain(QWidget* parent = nullptr);
};

}  // namespace zentrix::gui
