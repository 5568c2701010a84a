#include "gui/qt_ui_port.h"

#include <QApplication>

#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "gui/modal_hooks.h"
#include "gui/progress_window.h"
#include "gui/wait_window.h"
#include "util/strings.h"

namespace zentrix::gui {

namespace {

QMessageBox::StandardButton ToQt(TMsgResult r) {
    switch (r) {
        case TMsgResult::Yes:
            return QMessageBox::Yes;
        case TMsgResult::No:
            return QMessageBox::No;
        case TMsgResult::Cancel:
            return QMessageBox::Cancel;
        case TMsgResult::Ok:
            return QMessageBox::Ok;
    }
    return QMessageBox::Ok;
}

TMsgResult FromQt(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return TMsgResult::Yes;
        case QMessageBox::No:
            return TMsgResult::No;
        case QMessageBox::Ok:
            return TMsgResult::Ok;
        default:
            return TMsgResult::Cancel;
    }
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
    std::vector<std::string> parts = SplitAny(filter, "|", true);
    QStringList names;
    for (size_t i = 0; i < parts.size(); i += 2) names << Q(parts[i]);
    return names.join(";;");
}

TQtUiPort::TQtUiPort(QWidget* window) : QObject(window), window_(window) {}

TQtUiPort::~TQtUiPort() {
    if (busyCursor_) QApplication::restoreOverrideCursor();
    delete progress_;
    delete wait_;
}

void TQtUiPort::SetStatusPanel(TStatusPanel panel, const std::string& text) {
    if (QLabel* label = panels_[static_cast<size_t>(panel)]) label->setText(Q(text));
}

void TQtUiPort::ShowStatus(const std::string& text) {
    if (QLabel* label = panels_[static_cast<size_t>(TStatusPanel::Status)]) {
        label->setText(Q(text));
        label->repaint();
    }
}

void TQtUiPort::SetBusyCursor(bool busy) {
    if (busy == busyCursor_) return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

TMsgResult TQtUiPort::ShowMessage(const TMessage& m) {
    TModalHooks& hooks = ModalHooks();
    if (hooks.enabled) {
        hooks.shownMessages.push_back(m);
        if (m.buttons == TMsgButtons::Ok) return TMsgResult::Ok;
        if (hooks.answers.empty()) return m.defaultButton;
        TMsgResult r = hooks.answers.front();
        hooks.answers.pop_front();
        return r;
    }
    QMessageBox box(window_);
    box.setWindowTitle(Q(m.title));
    box.setText(Q(m.text));
    switch (m.kind) {
        case TMsgKind::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case TMsgKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case TMsgKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case TMsgKind::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (m.buttons) {
        case TMsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case TMsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case TMsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case TMsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
    }
    box.setDefaultButton(ToQt(m.defaultButton));
    // A box shown while busy still needs the arrow.
    bool restore = busyCursor_;
    if (restore) QApplication::setOverrideCursor(Qt::ArrowCursor);
    int r = box.exec();
    if (restore) QApplication::restoreOverrideCursor();
    return FromQt(r);
}

std::optional<std::string> TQtUiPort::InputText(const std::string& title, const std::string& prompt,
                                                const std::string& initial) {
    TModalHooks& hooks = ModalHooks();
    if (hooks.enabled) {
        if (hooks.inputs.empty()) return std::nullopt;
        auto r = hooks.inputs.front();
        hooks.inputs.pop_front();
        return r;
    }
    QInputDialog dialog(window_);
    dialog.setWindowTitle(Q(title));
    dialog.setLabelText(Q(prompt));
    dialog.setTextValue(Q(initial));
    // Wide enough for the prompt and a long name (a method's caption) without scrolling.
    const QFontMetrics metrics = dialog.fontMetrics();
    const int wanted =
        std::max(metrics.horizontalAdvance(Q(prompt)),
                 metrics.horizontalAdvance(Q(initial)) + metrics.averageCharWidth() * 8);
    dialog.resize(std::clamp(wanted + 40, 420, 900), dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return S(dialog.textValue());
}

QString TQtUiPort::DialogFolder(const TFileChoice& c) const {
    if (!lastFolder_.isEmpty()) return lastFolder_;
    if (!c.initialFolder.empty()) return Q(c.initialFolder);
    return dataFolder_;
}

std::optional<std::string> TQtUiPort::ChooseFile(const TFileChoice& c) {
    TModalHooks& hooks = ModalHooks();
    auto remember = [this](const std::optional<std::string>& name) {
        if (name && !name->empty()) lastFolder_ = QFileInfo(Q(*name)).absolutePath();
        return name;
    };
    if (hooks.enabled) {
        if (hooks.files.empty()) return std::nullopt;
        auto r = hooks.files.front();
        hooks.files.pop_front();
        return remember(r);
    }
    QFileDialog dialog(window_, Q(c.title), DialogFolder(c), QtFileFilter(c.filter));
    dialog.setAcceptMode(c.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(c.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!c.defaultExtension.empty()) dialog.setDefaultSuffix(Q(c.defaultExtension));
    if (!c.initialName.empty()) dialog.selectFile(Q(c.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return remember(S(dialog.selectedFiles().front()));
}

void TQtUiPort::ProgressShow(const std::string& text, int maximum, bool withStop) {
    delete progress_;
    progress_ = new TFormProgress(window_, Q(text), maximum, withStop);
    connect(progress_, &TFormProgress::stopRequested, this, &TQtUiPort::progressStopRequested);
    progress_->show();
    QCoreApplication::processEvents();
}

void TQtUiPort::ProgressUpdate(const std::string& text, int position) {
    if (progress_) progress_->Update(Q(text), position);
}

void TQtUiPort::ProgressClose() {
    delete progress_;
    progress_ = nullptr;
}

std::optional<std::string> TQtUiPort::ClipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return S(data->text());
}

void TQtUiPort::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(Q(text));
}

void TQtUiPort::OpenDocument(const std::string& target) {
    if (ModalHooks().enabled) {
        ModalHooks().openedDocuments.push_back(target);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromUserInput(Q(target)));
}

void TQtUiPort::WaitShow(const std::string& text) {
    if (!wait_) wait_ = new TFormWait(window_);
    wait_->SetText(Q(text));
    wait_->show();
    QCoreApplication::processEvents();
}

TFormWait* TQtUiPort::WaitWindow() const {
    return wait_.data();
}

void TQtUiPort::WaitClose() {
    delete wait_;
    wait_ = nullptr;
}

void TQtUiPort::ProcessEvents() {
    QCoreApplication::processEvents();
}

void TQtUiPort::Invalidate(TUiPart part) {
    emit invalidated(part);
}

}  // namespace zentrix::gui
