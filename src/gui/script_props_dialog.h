#pragma once

#include <QDialog>

#include "exchange/script_catalog.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zentrix {
class TCatalogController;
class TSessionCore;
}  // namespace zentrix

namespace zentrix::gui {

// "Свойства сценария": a catalog entry's data, editable before a publication or a replacement
// (OK checks it with the catalog and keeps the dialog open on a problem), read-only otherwise.
class TFormScriptProps : public QDialog {
    Q_OBJECT
  public:
    TFormScriptProps(QWidget* parent, TSessionCore& core, TCatalogController& catalog,
                     const TScriptData& data, bool editable);

    // The confirmed data (trimmed title and author).
    const TScriptData& Result() const { return data_; }

    QLineEdit* AuthorEdit() const { return author_; }
    QComboBox* LanguageCombo() const { return language_; }
    QLineEdit* TitleEdit() const { return title_; }
    QPlainTextEdit* DescrEdit() const { return descr_; }
    QRadioButton* PublicButton() const { return public_; }
    QRadioButton* PrivateButton() const { return private_; }
    QRadioButton* OnlyHereButton() const { return onlyHere_; }
    QRadioButton* UniversalButton() const { return universal_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;
    void done(int result) override;

  private:
    TScriptData Fields() const;

    TSessionCore& core_;
    TCatalogController& catalog_;
    TScriptData data_;
    QLineEdit* author_;
    QComboBox* language_;
    QLineEdit* title_;
    QPlainTextEdit* descr_;
    QRadioButton *public_, *private_, *onlyHere_, *universal_;
    QPushButton *ok_, *cancel_;
};

}  // namespace zentrix::gui
