#pragma once

#include <QDialog>

namespace zentrix {
class TUiPort;
}

namespace zentrix::gui {

// "О программе": the title, both version texts and the publisher's links.
class TFormAbout : public QDialog {
    Q_OBJECT
  public:
    TFormAbout(QWidget* parent, TUiPort& ui);
};

}  // namespace zentrix::gui
