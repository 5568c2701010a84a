#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <memory>

#include "app/ui_port.h"

class QLabel;
class QWidget;

namespace zentrix::gui {

class TFormProgress;
class TFormWait;

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}

// The desktop window's UiPort: the status bar panels, Qt message boxes and dialogs, the progress
// window, the system clipboard and the desktop's default programs.
class TQtUiPort : public QObject, public TUiPort {
    Q_OBJECT
  public:
    explicit TQtUiPort(QWidget* window);
    ~TQtUiPort() override;

    // The status bar's panels, in TStatusPanel's order.
    void SetPanels(const std::array<QLabel*, kStatusPanelCount>& panels) { panels_ = panels; }
    bool Busy() const { return busyCursor_; }
    // File dialogs open in the folder last used, else in the choice's folder, else here.
    void SetDataFolder(const std::string& folder) { dataFolder_ = Q(folder); }
    QString DialogFolder(const TFileChoice& choice) const;

    void SetStatusPanel(TStatusPanel panel, const std::string& text) override;
    void ShowStatus(const std::string& text) override;
    void SetBusyCursor(bool busy) override;
    TMsgResult ShowMessage(const TMessage& message) override;
    std::optional<std::string> InputText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    std::optional<std::string> ChooseFile(const TFileChoice& choice) override;
    void ProgressShow(const std::string& text, int maximum, bool withStop) override;
    void ProgressUpdate(const std::string& text, int position) override;
    void ProgressClose() override;
    std::optional<std::string> ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    void OpenDocument(const std::string& target) override;
    void WaitShow(const std::string& text) override;
    void WaitClose() override;
    // The wait window while a download runs; nullptr otherwise.
    TFormWait* WaitWindow() const;
    void ProcessEvents() override;
    void Invalidate(TUiPart part) override;

  signals:
    void invalidated(zentrix::TUiPart part);
    void progressStopRequested();

  private:
    QWidget* window_;
    std::array<QLabel*, kStatusPanelCount> panels_{};
    bool busyCursor_ = false;
    QPointer<TFormProgress> progress_;
    QPointer<TFormWait> wait_;
    QString dataFolder_;
    QString lastFolder_;
};

// "Файлы комбинаций (*.lcv)|*.lcv|Все файлы (*.*)|*.*" as a Qt name filter list.
QString QtFileFilter(const std::string& filter);

}  // namespace zentrix::gui
