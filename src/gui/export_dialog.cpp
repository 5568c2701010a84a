#include "gui/export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/modal_hooks.h"
#include "gui/qt_ui_port.h"

namespace zentrix::gui {

namespace {

QComboBox* NamesBox(QWidget* parent, const char* const* names, int count) {
    auto* box = new QComboBox(parent);
    for (int i = 0; i < count; ++i) box->addItem(QString::fromUtf8(names[i]));
    return box;
}

template <size_t N>
QComboBox* NamesBox(QWidget* parent, const std::array<const char*, N>& names) {
    return NamesBox(parent, names.data(), static_cast<int>(N));
}

QString AlignName(int alignment) {
    return QString::fromUtf8(ExportAlignNames()[std::clamp(alignment, 0, 2)]);
}

}  // namespace

TFormExportField::TFormExportField(QWidget* parent, const TExportField& field)
    : QDialog(parent), field_(field) {
    setObjectName("FormExportField");
    setWindowTitle("Параметры поля");
    auto* form = new QFormLayout;
    caption_ = new QLineEdit(Q(field.caption), this);
    caption_->setObjectName("edCaption");
    alignment_ = NamesBox(this, ExportAlignNames());
    alignment_->setObjectName("cbAlignment");
    alignment_->setCurrentIndex(std::clamp(field.alignment, 0, 2));
    width_ = new QDoubleSpinBox(this);
    width_->setObjectName("edWidth");
    width_->setDecimals(2);
    width_->setRange(0, kExportMaxWidth);
    width_->setValue(ExportEditWidth(field.width));
    form->addRow("Заголовок столбца:", caption_);
    form->addRow("Выравнивание данных:", alignment_);
    form->addRow("Ширина:", width_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    caption_->setMinimumWidth(260);
}

TExportField TFormExportField::Result() const {
    TExportField field = field_;
    field.caption = S(caption_->text());
    field.alignment = alignment_->currentIndex();
    field.width = ExportWidthText(width_->value());
    return field;
}

TFormExportExcel::TFormExportExcel(QWidget* parent, TExportController& exporter, TExportJob& job)
    : QDialog(parent), exporter_(exporter), job_(job) {
    setObjectName("FormExportExcel");
    setWindowTitle("Экспорт в Microsoft Excel");
    pages_ = new QTabWidget(this);

    // "Параметры листа".
    auto* sheetPage = new QWidget(pages_);
    auto* form = new QFormLayout;
    title_ = new QLineEdit(sheetPage);
    title_->setObjectName("edTitle");
    notes_ = new QLineEdit(sheetPage);
    notes_->setObjectName("edNotes");
    dateLine_ = new QCheckBox("Добавить строку с датой и временем формирования отчета (экспорта).",
                              sheetPage);
    dateLine_->setObjectName("cbShowCreateTime");
    sheetName_ = new QLineEdit(sheetPage);
    sheetName_->setObjectName("edSheetName");
    sheetName_->setMaxLength(kExportSheetNameMax);
    orientation_ = NamesBox(sheetPage, ExportOrientationNames());
    orientation_->setObjectName("cbOrientation");
    fontSize_ = new QSpinBox(sheetPage);
    fontSize_->setObjectName("edFontSize");
    fontSize_->setRange(kExportFontSizeMin, kExportFontSizeMax);
    rowMode_ = NamesBox(sheetPage, ExportRowModeNames());
    rowMode_->setObjectName("cbRowMode");
    rowCount_ = new QLineEdit(sheetPage);
    rowCount_->setObjectName("edRowCount");
    rowCount_->setReadOnly(true);
    save_ = new QCheckBox("Сохранить параметры экспорта в файле конфигурации", sheetPage);
    save_->setObjectName("cbSaveParameters");
    form->addRow("Наименование отчета:", title_);
    form->addRow("Дополнительные сведения:", notes_);
    form->addRow(dateLine_);
    form->addRow("Наименование листа:", sheetName_);
    form->addRow("Ориентация страницы:", orientation_);
    form->addRow("Размер шрифта:", fontSize_);
    form->addRow("Экспорт записей:", rowMode_);
    form->addRow("Число строк:", rowCount_);
    form->addRow(save_);
    auto* sheetLayout = new QVBoxLayout(sheetPage);
    sheetLayout->addLayout(form);
    sheetLayout->addStretch();
    pages_->addTab(sheetPage, "Параметры листа");

    // "Столбцы таблицы".
    auto* fieldsPage = new QWidget(pages_);
    fieldList_ = new QTreeWidget(fieldsPage);
    fieldList_->setObjectName("lvFields");
    fieldList_->setRootIsDecorated(false);
    fieldList_->setHeaderLabels({"Заголовок столбца", "Выравнивание", "Ширина", "Столбец таблицы"});
    fieldList_->setColumnWidth(0, 180);
    fieldList_->setColumnWidth(1, 120);
    fieldList_->setColumnWidth(2, 60);
    up_ = new QAction("Вверх", this);
    up_->setShortcut(QKeySequence("Ctrl+Up"));
    down_ = new QAction("Вниз", this);
    down_->setShortcut(QKeySequence("Ctrl+Down"));
    properties_ = new QAction("Свойства", this);
    properties_->setShortcuts({QKeySequence("Ctrl+Return"), QKeySequence("Ctrl+Enter")});
    for (QAction* a : {up_, down_, properties_}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        fieldList_->addAction(a);
    }
    fieldList_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(up_, &QAction::triggered, this, [this] { MoveField(-1); });
    connect(down_, &QAction::triggered, this, [this] { MoveField(1); });
    connect(properties_, &QAction::triggered, this, [this] { EditField(); });
    connect(fieldList_, &QTreeWidget::itemDoubleClicked, this, [this] { EditField(); });
    connect(fieldList_, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item) { FieldChanged(item); });
    connect(fieldList_, &QTreeWidget::currentItemChanged, this, [this] { UpdateFieldActions(); });
    auto* fieldButtons = new QVBoxLayout;
    for (QAction* a : {up_, down_, properties_}) {
        auto* button = new QPushButton(a->text(), fieldsPage);
        connect(button, &QPushButton::clicked, a, &QAction::trigger);
        connect(a, &QAction::changed, button, [button, a] { button->setEnabled(a->isEnabled()); });
        fieldButtons->addWidget(button);
    }
    fieldButtons->addStretch();
    auto* fieldsLayout = new QHBoxLayout(fieldsPage);
    fieldsLayout->addWidget(fieldList_, 1);
    fieldsLayout->addLayout(fieldButtons);
    pages_->addTab(fieldsPage, "Столбцы таблицы");

    // "Параметры" with the parameter files, then OK and Cancel.
    params_ = new QPushButton("Параметры", this);
    params_->setObjectName("btParameters");
    auto* menu = new QMenu(params_);
    load_ = menu->addAction("Загрузить из файла");
    load_->setShortcut(QKeySequence("Ctrl+O"));
    saveFile_ = menu->addAction("Сохранить в файле");
    saveFile_->setShortcut(QKeySequence("Ctrl+S"));
    addAction(load_);
    addAction(saveFile_);
    params_->setMenu(menu);
    connect(load_, &QAction::triggered, this, [this] { LoadFromFile(); });
    connect(saveFile_, &QAction::triggered, this, [this] { SaveToFile(); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setToolTip("Начать экспорт");
    buttons->button(QDialogButtonBox::Cancel)->setToolTip("Закрыть окно");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(params_);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(bottom);

    const bool stored = job_.allowStored;
    for (QWidget* w : {static_cast<QWidget*>(save_), static_cast<QWidget*>(params_)}) {
        w->setVisible(stored);
        w->setEnabled(stored);
    }
    load_->setEnabled(stored);
    saveFile_->setEnabled(stored);
    connect(rowMode_, &QComboBox::currentIndexChanged, this,
            [this](int mode) { rowCount_->setText(QString::number(job_.RowCount(mode))); });
    ShowOptions();
    resize(560, 420);
}

void TFormExportExcel::ShowOptions() {
    const TExportOptions& o = job_.options;
    title_->setText(Q(o.title));
    notes_->setText(Q(o.notes));
    dateLine_->setChecked(o.showCreateTime);
    sheetName_->setText(Q(o.sheetName));
    orientation_->setCurrentIndex(std::clamp(o.pageOrientation, 0, 2));
    fontSize_->setValue(o.baseFontSize);
    rowMode_->setCurrentIndex(std::clamp(o.rowMode, 0, 1));
    rowCount_->setText(QString::number(job_.RowCount(rowMode_->currentIndex())));
    save_->setChecked(o.restoreParameters);
    ShowFields(0);
}

void TFormExportExcel::ApplyToJob() {
    TExportOptions& o = job_.options;
    o.title = S(title_->text());
    o.notes = S(notes_->text());
    o.showCreateTime = dateLine_->isChecked();
    o.sheetName = S(sheetName_->text());
    o.pageOrientation = orientation_->currentIndex();
    o.baseFontSize = fontSize_->value();
    o.rowMode = rowMode_->currentIndex();
    o.restoreParameters = save_->isChecked();
}

void TFormExportExcel::accept() {
    ApplyToJob();
    QDialog::accept();
}

void TFormExportExcel::ShowFields(int select) {
    filling_ = true;
    fieldList_->clear();
    for (const TExportField& f : job_.options.fields) {
        auto* item = new QTreeWidgetItem(
            fieldList_, {Q(f.caption), AlignName(f.alignment), Q(f.width), Q(f.physicalName)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, f.checked ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
    if (select >= 0 && select < fieldList_->topLevelItemCount())
        fieldList_->setCurrentItem(fieldList_->topLevelItem(select));
    UpdateFieldActions();
}

int TFormExportExcel::CurrentField() const {
    QTreeWidgetItem* item = fieldList_->currentItem();
    return item ? fieldList_->indexOfTopLevelItem(item) : -1;
}

void TFormExportExcel::UpdateFieldActions() {
    const int current = CurrentField();
    const int count = fieldList_->topLevelItemCount();
    up_->setEnabled(current > 0);
    down_->setEnabled(current >= 0 && current + 1 < count);
    properties_->setEnabled(current >= 0);
}

void TFormExportExcel::MoveField(int delta) {
    const int current = CurrentField();
    std::vector<TExportField>& fields = job_.options.fields;
    const int target = current + delta;
    if (current < 0 || target < 0 || target >= static_cast<int>(fields.size())) return;
    std::swap(fields[current], fields[target]);
    const int source = fields[target].sourceIndex;
    PutCheckedFirst(fields);
    int select = 0;
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].sourceIndex == source) select = static_cast<int>(i);
    ShowFields(select);
}

void TFormExportExcel::EditField() {
    const int current = CurrentField();
    if (current < 0) return;
    TFormExportField dialog(this, job_.options.fields[current]);
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    job_.options.fields[current] = dialog.Result();
    ShowFields(current);
}

void TFormExportExcel::FieldChanged(QTreeWidgetItem* item) {
    if (filling_) return;
    const int index = fieldList_->indexOfTopLevelItem(item);
    if (index < 0) return;
    std::vector<TExportField>& fields = job_.options.fields;
    const bool checked = item->checkState(0) == Qt::Checked;
    if (fields[index].checked == checked) return;
    fields[index].checked = checked;
    const int source = fields[index].sourceIndex;
    PutCheckedFirst(fields);
    int select = 0;
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].sourceIndex == source) select = static_cast<int>(i);
    // The list is rebuilt once the check's own signal handling is over.
    QMetaObject::invokeMethod(
        this, [this, select] { ShowFields(select); }, Qt::QueuedConnection);
}

void TFormExportExcel::LoadFromFile() {
    ApplyToJob();
    const std::optional<std::string> path = exporter_.ChooseOptionsFile(false);
    if (!path) return;
    exporter_.LoadOptionsFile(job_, *path);
    ShowOptions();
}

void TFormExportExcel::SaveToFile() {
    ApplyToJob();
    const std::optional<std::string> path = exporter_.ChooseOptionsFile(true);
    if (path) exporter_.SaveOptionsFile(job_, *path);
}

}  // namespace zentrix::gui
