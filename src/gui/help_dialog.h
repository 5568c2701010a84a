#pragma once

#include <QDialog>

class QTextBrowser;

namespace zentrix::gui {

// "Описание методики расчета": shows a method's help topic. Without a help file there is no
// topic to open and the dialog says so.
class TFormHelp : public QDialog {
    Q_OBJECT
  public:
    TFormHelp(QWidget* parent, const QString& methodName, const QString& topic);

  private:
    QTextBrowser* browser_;
};

}  // namespace zentrix::gui
