#include "gui/wait_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zentrix::gui {

TFormWait::TFormWait(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("FormWait");
    setModal(false);
    setStyleSheet("QDialog#FormWait { border: 1px solid palette(dark); }");
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(this);
    label_->setObjectName("lbWait");
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(true);
    layout->addWidget(label_);
    resize(360, 110);
}

void TFormWait::SetText(const QString& text) {
    label_->setText(text);
    if (QWidget* p = parentWidget()) move(p->geometry().center() - rect().center());
    raise();
}

QString TFormWait::Text() const {
    return label_->text();
}

}  // namespace zentrix::gui
