#include "gui/kept_splitter.h"

#include <algorithm>

namespace zentrix::gui {

TKeptSplitter::TKeptSplitter(Qt::Orientation orientation, int keptPane, QWidget* parent)
    : QSplitter(orientation, parent), keptPane_(keptPane) {
    connect(this, &QSplitter::splitterMoved, this, [this] {
        if (!applying_) keptSize_ = sizes().value(keptPane_, keptSize_);
    });
}

void TKeptSplitter::SetKeptSize(int size) {
    keptSize_ = size > 0 ? size : -1;
    Apply();
}

int TKeptSplitter::KeptSize(int fallback) const {
    if (keptSize_ > 0) return keptSize_;
    if (shown_) return sizes().value(keptPane_, fallback);
    return fallback;
}

int TKeptSplitter::Extent() const {
    return orientation() == Qt::Horizontal ? width() : height();
}

void TKeptSplitter::Apply() {
    if (keptSize_ <= 0 || count() < 2 || keptPane_ >= count()) return;
    QList<int> now = sizes();
    int total = 0;
    for (int s : now) total += s;
    if (total <= 0) total = Extent();
    const int kept = std::min(keptSize_, std::max(0, total - 1));
    if (now.value(keptPane_) == kept) return;
    // The other panes share the rest as they share it now.
    const int restBefore = total - now.value(keptPane_);
    const int rest = total - kept;
    QList<int> wanted;
    int given = 0;
    int last = -1;
    for (int i = 0; i < count(); ++i) {
        if (i == keptPane_) {
            wanted.append(kept);
            continue;
        }
        const int part = restBefore > 0 ? static_cast<int>(int64_t(now[i]) * rest / restBefore)
                                        : rest / (count() - 1);
        wanted.append(part);
        given += part;
        last = i;
    }
    if (last >= 0) wanted[last] += rest - given;
    applying_ = true;
    setSizes(wanted);
    applying_ = false;
}

void TKeptSplitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    Apply();
}

void TKeptSplitter::showEvent(QShowEvent* event) {
    QSplitter::showEvent(event);
    shown_ = true;
    Apply();
}

}  // namespace zentrix::gui
