#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;

namespace zentrix {
class TUiPort;
}

namespace zentrix::gui {

// "Справочная информация", shown at start while the FirstRun option is on.
class TFormFirstRun : public QDialog {
    Q_OBJECT
  public:
    // Without openHelp (no help folder) the help button is disabled.
    TFormFirstRun(QWidget* parent, TUiPort& ui, std::function<void()> openHelp);
    // "Больше не показывать данный диалог" was ticked.
    bool DontShowAgain() const;

  private:
    QCheckBox* dontShow_;
};

}  // namespace zentrix::gui
