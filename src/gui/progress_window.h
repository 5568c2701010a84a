#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zentrix::gui {

// The small borderless progress indicator centred on the screen.
class TFormProgress : public QDialog {
    Q_OBJECT
  public:
    TFormProgress(QWidget* parent, const QString& text, int maximum, bool withStop);
    void Update(const QString& text, int position);

  signals:
    void stopRequested();

  private:
    QLabel* label_;
    QProgressBar* bar_;
};

}  // namespace zentrix::gui
