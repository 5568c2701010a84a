#include "gui/script_props_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/catalog_controller.h"
#include "app/catalog_dialogs.h"
#include "app/session_core.h"
#include "gui/qt_ui_port.h"
#include "gui/window_geometry.h"

namespace zentrix::gui {

namespace {

constexpr const char* kSection = "TFormScriptProps";

void Hint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

}  // namespace

TFormScriptProps::TFormScriptProps(QWidget* parent, TSessionCore& core, TCatalogController& catalog,
                                   const TScriptData& data, bool editable)
    : QDialog(parent), core_(core), catalog_(catalog), data_(data) {
    setObjectName("FormScriptProps");
    setWindowTitle("Свойства сценария");
    resize(520, 460);

    author_ = new QLineEdit(Q(data.Author), this);
    author_->setObjectName("edAuthor");
    author_->setMaxLength(kScriptAuthorLimit);
    Hint(author_, "Автор сценария");
    language_ = new QComboBox(this);
    language_->setObjectName("cbLanguage");
    for (const TCatalogLanguage& l : CatalogLanguages()) language_->addItem(Q(l.name));
    language_->setCurrentIndex(CatalogLanguageIndex(data.Lcid, kInterfaceLcid));
    Hint(language_, "Язык сценария");
    title_ = new QLineEdit(Q(data.Title), this);
    title_->setObjectName("edTitle");
    title_->setMaxLength(kScriptTitleLimit);
    Hint(title_, "Название сценария");
    descr_ = new QPlainTextEdit(Q(data.Descr), this);
    descr_->setObjectName("mmDescr");
    descr_->setTabChangesFocus(true);

    auto* access = new QGroupBox(" Доступность ", this);
    access->setObjectName("gbPublic");
    Hint(access, "Разрешаете ли Вы использовать данный сценарий другим членам сообщества");
    public_ = new QRadioButton("Сценарий виден всем пользователям", access);
    private_ = new QRadioButton("Сценарий виден только мне", access);
    (data.Public ? public_ : private_)->setChecked(true);
    auto* accessLayout = new QVBoxLayout(access);
    accessLayout->addWidget(public_);
    accessLayout->addWidget(private_);

    auto* scope = new QGroupBox(" Применяемость ", this);
    scope->setObjectName("gbUniversal");
    Hint(scope, "В каком приложении можно использовать данный сценарий");
    onlyHere_ = new QRadioButton(Q(OnlyInProgramCaption(kCatalogAppId)), scope);
    universal_ = new QRadioButton("В любом приложении Numerra", scope);
    (data.Universal ? universal_ : onlyHere_)->setChecked(true);
    auto* scopeLayout = new QVBoxLayout(scope);
    scopeLayout->addWidget(onlyHere_);
    scopeLayout->addWidget(universal_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton("Отмена", QDialogButtonBox::RejectRole);
    Hint(ok_, "Отправить сценарий на сервер");
    Hint(cancel_, "Закрыть окно");
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormScriptProps::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow("Автор:", author_);
    form->addRow("Язык:", language_);
    form->addRow("Название:", title_);
    form->addRow("Описание:", descr_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(access);
    layout->addWidget(scope);
    layout->addWidget(buttons);

    if (!editable) {
        for (QLineEdit* edit : {author_, title_}) edit->setReadOnly(true);
        descr_->setReadOnly(true);
        language_->setEnabled(false);
        access->setEnabled(false);
        scope->setEnabled(false);
        ok_->hide();
        cancel_->setDefault(true);
    }
    try {
        RestorePlacement(this, core_.Settings().Ini(), kSection);
    } catch (const std::exception&) {
        // Unreadable settings leave the designed size.
    }
    // Focus once shown: the title when editing, Cancel when only showing.
    QWidget* first = editable ? static_cast<QWidget*>(title_) : cancel_;
    QTimer::singleShot(0, first, [first] { first->setFocus(); });
    first->setFocus();
}

TScriptData TFormScriptProps::Fields() const {
    TScriptData d = data_;
    d.Author = S(author_->text());
    d.Lcid = CatalogLanguageAt(language_->currentIndex(), kInterfaceLcid);
    d.Title = S(title_->text());
    d.Descr = S(descr_->toPlainText());
    d.Public = public_->isChecked();
    d.Universal = universal_->isChecked();
    return d;
}

void TFormScriptProps::accept() {
    if (ok_->isHidden()) return;  // read-only: nothing to send
    TScriptData d = Fields();
    if (const auto problem = catalog_.CheckScriptData(d)) {
        if (!problem->message.empty()) core_.ErrorBox(problem->message);
        QLineEdit* field = problem->field == TScriptDataProblem::TField::Author ? author_ : title_;
        field->setFocus();
        return;
    }
    data_ = d;
    QDialog::accept();
}

void TFormScriptProps::done(int result) {
    SavePlacementOnClose(this, core_, kSection);
    QDialog::done(result);
}

}  // namespace zentrix::gui
