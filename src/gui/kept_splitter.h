#pragma once

#include <QSplitter>

namespace zentrix::gui {

// A splitter with one pane whose size is the user's: it keeps that size when the window is
// resized or laid out late (the other panes take the difference), and reports the size the user
// chose, not what a hidden or not yet laid out page happens to measure. So a stored size read
// back at the next start is the same size, however often the program restarts.
class TKeptSplitter : public QSplitter {
    Q_OBJECT
  public:
    TKeptSplitter(Qt::Orientation orientation, int keptPane, QWidget* parent);

    // The size to keep; a value <= 0 leaves the designed layout alone.
    void SetKeptSize(int size);
    // The size to store: the user's choice, the restored size, or the laid out size of a
    // designed layout once it was shown; `fallback` when there is none of these.
    int KeptSize(int fallback) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Apply();
    int Extent() const;

    int keptPane_;
    int keptSize_ = -1;
    bool shown_ = false;
    bool applying_ = false;
};

}  // namespace zentrix::gui
