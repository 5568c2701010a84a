#pragma once

#include <QObject>

#include <array>

class QAction;
class QMenu;
class QWidget;

namespace zentrix {
class TMainSession;
}

namespace zentrix::gui {

class TActionList;

// The archive download's actions: DrawsDownload (F3), EditProxy, the start-up modes as a radio
// group and OpenLotoSite, put into the draws menu.
class TDownloadActions : public QObject {
    Q_OBJECT
  public:
    TDownloadActions(QWidget* window, TMainSession& session, TActionList& actions);

    // The actions at the end of a menu, after a separator.
    void AddToMenu(QMenu* menu);

    QAction* Download() const { return download_; }
    QAction* EditProxy() const { return editProxy_; }
    QAction* AutoDownload(int mode) const { return autoDownload_.at(mode); }
    QAction* OpenSite() const { return openSite_; }

  private:
    void ShowProxyDialog();

    QWidget* window_;
    TMainSession& session_;
    QAction* download_ = nullptr;
    QAction* editProxy_ = nullptr;
    std::array<QAction*, 3> autoDownload_{};
    QAction* openSite_ = nullptr;
};

}  // namespace zentrix::gui
