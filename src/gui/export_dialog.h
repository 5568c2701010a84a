#pragma once

#include <QDialog>

#include "app/export_controller.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace zentrix::gui {

// "Параметры поля": one field's caption, alignment and width.
class TFormExportField : public QDialog {
    Q_OBJECT
  public:
    TFormExportField(QWidget* parent, const TExportField& field);
    // The field with the dialog's values, the width as text with two decimals.
    TExportField Result() const;

    QLineEdit* CaptionEdit() const { return caption_; }
    QComboBox* AlignmentBox() const { return alignment_; }
    QDoubleSpinBox* WidthSpin() const { return width_; }

  private:
    TExportField field_;
    QLineEdit* caption_;
    QComboBox* alignment_;
    QDoubleSpinBox* width_;
};

// "Экспорт в Microsoft Excel": the sheet's options and the table's columns of one export job.
class TFormExportExcel : public QDialog {
    Q_OBJECT
  public:
    TFormExportExcel(QWidget* parent, TExportController& exporter, TExportJob& job);

    // The controls into the job; OK does it before it closes the dialog.
    void ApplyToJob();
    void accept() override;

    QTabWidget* Pages() const { return pages_; }
    QLineEdit* TitleEdit() const { return title_; }
    QLineEdit* NotesEdit() const { return notes_; }
    QLineEdit* SheetNameEdit() const { return sheetName_; }
    QComboBox* OrientationBox() const { return orientation_; }
    QSpinBox* FontSizeSpin() const { return fontSize_; }
    QComboBox* RowModeBox() const { return rowMode_; }
    QLineEdit* RowCountEdit() const { return rowCount_; }
    QCheckBox* DateLineCheck() const { return dateLine_; }
    QCheckBox* SaveCheck() const { return save_; }
    QTreeWidget* FieldList() const { return fieldList_; }
    QAction* LoadAction() const { return load_; }
    QAction* SaveAction() const { return saveFile_; }
    QAction* UpAction() const { return up_; }
    QAction* DownAction() const { return down_; }
    QAction* PropertiesAction() const { return properties_; }

  private:
    void ShowOptions();
    void ShowFields(int select);
    int CurrentField() const;
    void MoveField(int delta);
    void EditField();
    void FieldChanged(QTreeWidgetItem* item);
    void UpdateFieldActions();
    void LoadFromFile();
    void SaveToFile();

    TExportController& exporter_;
    TExportJob& job_;
    QTabWidget* pages_;
    QLineEdit* title_;
    QLineEdit* notes_;
    QLineEdit* sheetName_;
    QComboBox* orientation_;
    QSpinBox* fontSize_;
    QComboBox* rowMode_;
    QLineEdit* rowCount_;
    QCheckBox* dateLine_;
    QCheckBox* save_;
    QPushButton* params_;
    QTreeWidget* fieldList_;
    QAction* load_;
    QAction* saveFile_;
    QAction* up_;
    QAction* down_;
    QAction* properties_;
    bool filling_ = false;
};

}  // namespace zentrix::gui
