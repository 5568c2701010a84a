#pragma once

#include <QDialog>

namespace zentrix {
struct TUpdateOffer;
}

namespace zentrix::gui {

// "Найдена новая версия программы": the current and the offered version, the notes; "Установить"
// accepts, "Отмена" rejects.
class TfrmUpdateInformer : public QDialog {
    Q_OBJECT
  public:
    TfrmUpdateInformer(QWidget* parent, const TUpdateOffer& offer);
};

}  // namespace zentrix::gui
