#include "gui/progress_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zentrix::gui {

TFormProgress::TFormProgress(QWidget* parent, const QString& text, int maximum, bool withStop)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
    setObjectName("FormProgress");
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(text, this);
    label_->setAlignment(Qt::AlignCenter);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, std::max(0, maximum));
    bar_->setValue(0);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    if (withStop) {
        auto* stop = new QPushButton("Отмена", this);
        stop->setToolTip("Прервать операцию");
        connect(stop, &QPushButton::clicked, this, &TFormProgress::stopRequested);
        layout->addWidget(stop, 0, Qt::AlignHCenter);
    }
    resize(420, withStop ? 105 : 74);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormProgress::Update(const QString& text, int position) {
    label_->setText(text);
    bar_->setValue(std::min(position, bar_->maximum()));
    raise();
}

}  // namespace zentrix::gui
