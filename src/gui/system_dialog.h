#pragma once

#include <QDialog>

#include "app/system_dialog_model.h"

class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

// The properties dialog "Система": editable for the user's own system (or a new one), read-only
// for another user's. OK runs the checks in their order and stays open on the first failure.
class TFormSystem : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kSection = "TFormSystem";

    TFormSystem(QWidget* parent, TSessionCore& core, const TSystemData& system, bool editable);

    // The system as accepted by OK.
    const TSystemData& Result() const { return result_; }
    bool Editable() const { return editable_; }

    QLineEdit* TitleEdit() const { return title_; }
    QPlainTextEdit* DescrEdit() const { return descr_; }
    QLineEdit* AuthorEdit() const { return author_; }
    QLineEdit* UrlEdit() const { return url_; }
    QPushButton* OpenUrlButton() const { return openUrl_; }
    QPlainTextEdit* ListEdit() const { return list_; }
    QLineEdit* CsizeEdit() const { return csize_; }
    QLineEdit* NumsEdit() const { return nums_; }
    QLineEdit* BlockEdit() const { return block_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CloseButton() const { return close_; }
    // The combination list's context menu, its entries' availability fresh.
    QMenu* ListMenu();
    // What leaving the list does (editable mode).
    void NormalizeList();

    void accept() override;
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TSystemDialogFields Fields() const;
    void LoadList();
    void SaveList();

    TSessionCore& core_;
    TSystemData opened_, result_;
    bool editable_;
    QLineEdit *title_, *author_, *url_, *created_, *csize_, *nums_, *length_, *block_, *downloads_,
        *last_;
    QPlainTextEdit *descr_, *list_;
    QPushButton *openUrl_, *ok_, *close_;
    QMenu* listMenu_;
    QAction *copy_, *paste_, *selectAll_, *load_, *save_;
};

}  // namespace zentrix::gui
