#pragma once

#include <QDialog>

class QTextBrowser;

namespace zentrix {
class TSessionCore;
}

namespace zentrix::gui {

// The help viewer: "Описание методики расчета" on a method's page, or the whole guide from its
// contents. Links between the pages work; external links open in the web browser. Without the
// help folder it says so. Its placement is kept in the window settings.
class TFormHelp : public QDialog {
    Q_OBJECT
  public:
    // A method's page (its HelpTopic); an empty topic means there is no help folder.
    TFormHelp(QWidget* parent, TSessionCore& core, const QString& methodName, const QString& topic);
    // The guide from its contents page.
    TFormHelp(QWidget* parent, TSessionCore& core);

    QTextBrowser* Browser() const { return browser_; }
    void done(int result) override;

  private:
    void Build(const QString& title);
    void Open(const QString& path, const QString& missingText);

    TSessionCore& core_;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace zentrix::gui
