#pragma once

#include <QDialog>

class QCheckBox;

namespace zentrix {
class TUiPort;
}

namespace zentrix::gui {

// "Справочная информация", shown at start while the FirstRun option is on.
class TFormFirstRun : public QDialog {
    Q_OBJECT
  public:
    TFormFirstRun(QWidget* parent, TUiPort& ui, bool helpFileFound);
    // "Больше не показывать данный диалог" was ticked.
    bool DontShowAgain() const;

  private:
    QCheckBox* dontShow_;
};

}  // namespace zentrix::gui
