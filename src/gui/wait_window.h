#pragma once

#include <QDialog>

class QLabel;

namespace zentrix::gui {

// The download's wait window: small, kept in front of the main window, one text centred.
class TFormWait : public QDialog {
    Q_OBJECT
  public:
    explicit TFormWait(QWidget* parent);
    void SetText(const QString& text);
    QString Text() const;

  private:
    QLabel* label_;
};

}  // namespace zentrix::gui
