#include "gui/system_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "app/session_core.h"
#include "exchange/script_catalog.h"
#include "gui/qt_ui_port.h"
#include "gui/window_geometry.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix::gui {

namespace {

// Digits only; anything else is refused with a beep.
class TDigitsValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar c : input)
            if (c.unicode() < u'0' || c.unicode() > u'9') {
                QApplication::beep();
                return Invalid;
            }
        return Acceptable;
    }
};

QLineEdit* NumberEdit(QWidget* parent, const char* name, const std::string& text) {
    auto* edit = new QLineEdit(Q(text), parent);
    edit->setObjectName(name);
    edit->setValidator(new TDigitsValidator(edit));
    edit->setMaxLength(9);
    edit->setMaximumWidth(90);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QLineEdit* ShownEdit(QWidget* parent, const char* name, const std::string& text) {
    auto* edit = new QLineEdit(Q(text), parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    // A whole date and time stays in sight.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("0000-00-00 00:00:00") + 16);
    return edit;
}

// The list as the text edit shows it: one line per row, no break after the last.
QString ListText(const std::string& list) {
    return Q(Join(SplitLines(list), "\n"));
}

const char* const kListFilter = "Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*";

}  // namespace

TFormSystem::TFormSystem(QWidget* parent, TSessionCore& core, const TSystemData& system,
                         bool editable)
    : QDialog(parent), core_(core), opened_(system), editable_(editable) {
    setObjectName("FormSystem");
    setWindowTitle("Система");
    const TSystemDialogFields f = SystemDialogFields(system);
    const TSystemInfo& s = system.info;

    title_ = new QLineEdit(Q(f.title), this);
    title_->setObjectName("edTitle");
    descr_ = new QPlainTextEdit(Q(f.descr), this);
    descr_->setObjectName("mmDescr");
    descr_->setTabChangesFocus(true);
    descr_->setMaximumHeight(90);
    author_ = new QLineEdit(Q(f.author), this);
    author_->setObjectName("edAuthor");
    url_ = new QLineEdit(Q(f.url), this);
    url_->setObjectName("edUrl");
    openUrl_ = new QPushButton("Открыть ссылку в браузере", this);
    openUrl_->setObjectName("btOpenUrl");
    openUrl_->setAutoDefault(false);
    list_ = new QPlainTextEdit(ListText(f.list), this);
    list_->setObjectName("mmList");
    list_->setTabChangesFocus(true);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    list_->installEventFilter(this);
    QFont fixed = list_->font();
    fixed.setFamily("DejaVu Sans Mono");
    fixed.setStyleHint(QFont::Monospace);
    list_->setFont(fixed);

    created_ = ShownEdit(this, "edCreated", CatalogDateText(s.created));
    csize_ = NumberEdit(this, "edCsize", f.csize);
    nums_ = NumberEdit(this, "edNums", f.nums);
    length_ = ShownEdit(this, "edLength", "8");
    length_->setMinimumWidth(0);
    length_->setMaximumWidth(90);
    length_->setAlignment(Qt::AlignRight);
    block_ = NumberEdit(this, "edBlock", f.block);
    downloads_ = NumberEdit(this, "edDownloads", f.downloads);
    downloads_->setReadOnly(true);
    last_ = ShownEdit(this, "edLast", CatalogDateText(s.lastDownload));

    for (QLineEdit* e : {title_, author_, url_, csize_, nums_, block_}) e->setReadOnly(!editable);
    for (QPlainTextEdit* e : {descr_, list_}) e->setReadOnly(!editable);

    auto* top = new QFormLayout;
    top->addRow("Наименование:", title_);
    top->addRow("Описание:", descr_);
    top->addRow("Автор:", author_);
    auto* link = new QHBoxLayout;
    link->addWidget(url_, 1);
    link->addWidget(openUrl_);
    top->addRow("Ссылка:", link);

    auto* numbers = new QFormLayout;
    numbers->addRow("Создана:", created_);
    numbers->addRow("Комбинаций:", csize_);
    numbers->addRow("Числа:", nums_);
    numbers->addRow("Длина:", length_);
    numbers->addRow("Блок:", block_);
    numbers->addRow("Загрузок:", downloads_);
    numbers->addRow("Последняя:", last_);
    auto* numbersBox = new QVBoxLayout;
    numbersBox->addLayout(numbers);
    numbersBox->addStretch(1);

    auto* listBox = new QVBoxLayout;
    listBox->addWidget(new QLabel("Список комбинаций:", this));
    listBox->addWidget(list_, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(listBox, 1);
    middle->addLayout(numbersBox);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok_->setObjectName("btOk");
    close_ = buttons->addButton("Закрыть окно", QDialogButtonBox::RejectRole);
    close_->setObjectName("btClose");
    ok_->setVisible(editable);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormSystem::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);

    auto linkState = [this] { openUrl_->setEnabled(!Trim(S(url_->text())).empty()); };
    connect(url_, &QLineEdit::textChanged, this, linkState);
    linkState();
    connect(openUrl_, &QPushButton::clicked, this,
            [this] { core_.Ui().OpenDocument(Trim(S(url_->text()))); });

    listMenu_ = new QMenu(this);
    copy_ = listMenu_->addAction("Копировать в буфер обмена");
    paste_ = listMenu_->addAction("Вставить из буфера обмена");
    selectAll_ = listMenu_->addAction("Выделить все");
    listMenu_->addSeparator();
    load_ = listMenu_->addAction("Загрузить из файла");
    save_ = listMenu_->addAction("Сохранить в файле");
    connect(copy_, &QAction::triggered, this, [this] {
        QString text = list_->textCursor().selectedText();
        core_.Ui().SetClipboardText(S(text.replace(QChar::ParagraphSeparator, QChar(u'\n'))));
    });
    connect(paste_, &QAction::triggered, this, [this] {
        if (auto text = core_.Ui().ClipboardText()) list_->insertPlainText(Q(*text));
    });
    connect(selectAll_, &QAction::triggered, list_, &QPlainTextEdit::selectAll);
    connect(load_, &QAction::triggered, this, [this] { LoadList(); });
    connect(save_, &QAction::triggered, this, [this] { SaveList(); });
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { ListMenu()->exec(list_->viewport()->mapToGlobal(pos)); });

    resize(720, 520);
    try {
        RestorePlacement(this, core_.Settings().Ini(), kSection);
    } catch (const std::exception&) {
        // Without readable settings the dialog keeps its designed size.
    }
    (editable ? static_cast<QWidget*>(title_) : close_)->setFocus();
}

QMenu* TFormSystem::ListMenu() {
    const bool hasText = !list_->document()->isEmpty();
    copy_->setEnabled(list_->textCursor().hasSelection());
    paste_->setEnabled(editable_ && core_.Ui().ClipboardText().has_value());
    selectAll_->setEnabled(hasText);
    load_->setEnabled(editable_);
    save_->setEnabled(hasText);
    return listMenu_;
}

bool TFormSystem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_) {
        // A context menu of its own takes the focus too; the list is left only for another
        // control.
        if (event->type() == QEvent::FocusOut && editable_ &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            NormalizeList();
    }
    return QDialog::eventFilter(watched, event);
}

TSystemDialogFields TFormSystem::Fields() const {
    TSystemDialogFields f;
    f.title = S(title_->text());
    f.descr = S(descr_->toPlainText());
    f.author = S(author_->text());
    f.url = S(url_->text());
    f.list = S(list_->toPlainText());
    f.csize = S(csize_->text());
    f.nums = S(nums_->text());
    f.block = S(block_->text());
    f.downloads = S(downloads_->text());
    return f;
}

void TFormSystem::NormalizeList() {
    TSystemDialogFields f = Fields();
    NormalizeDialogList(f);
    const QString text = ListText(f.list);
    if (text != list_->toPlainText()) list_->setPlainText(text);
    nums_->setText(Q(f.nums));
    csize_->setText(Q(f.csize));
}

void TFormSystem::LoadList() {
    TFileChoice choice;
    choice.title = "Загрузить из файла";
    choice.filter = kListFilter;
    choice.defaultExtension = "txt";
    const auto file = core_.Ui().ChooseFile(choice);
    if (!file) return;
    try {
        list_->setPlainText(Q(ReadTextFile(*file)));
    } catch (const std::exception& e) {
        core_.ErrorBox(ErrorText(e));
        return;
    }
    NormalizeList();
}

void TFormSystem::SaveList() {
    TFileChoice choice;
    choice.save = true;
    choice.title = "Сохранить в файле";
    choice.filter = kListFilter;
    choice.defaultExtension = "txt";
    const auto file = core_.Ui().ChooseFile(choice);
    if (!file) return;
    try {
        WriteTextLines(*file, SplitLines(S(list_->toPlainText())));
    } catch (const std::exception& e) {
        core_.ErrorBox(ErrorText(e));
    }
}

void TFormSystem::accept() {
    if (!editable_) return;
    NormalizeList();
    TSystemDialogFields f = Fields();
    // The text edit holds LF line ends; the catalog gets CR LF.
    f.list = Join(SplitLines(f.list), "\r\n");
    if (!f.list.empty()) f.list += "\r\n";
    if (auto problem = AcceptSystemDialog(opened_, f, result_)) {
        core_.ErrorBox(*problem);
        return;
    }
    QDialog::accept();
}

void TFormSystem::done(int result) {
    SavePlacementOnClose(this, core_, kSection);
    QDialog::done(result);
}

}  // namespace zentrix::gui
