#include "gui/about_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/publisher_links.h"
#include "app/ui_port.h"
#include "gui/qt_ui_port.h"
#include "util/format.h"
#include "version.h"

namespace zentrix::gui {

TFormAbout::TFormAbout(QWidget* parent, TUiPort& ui) : QDialog(parent) {
    setObjectName("FormAbout");
    setWindowTitle("О программе");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Zentrix 8x20", this);
    QFont font = title->font();
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    title->setFont(font);
    layout->addWidget(title);
    auto* form = new QFormLayout;
    form->addRow("Версия программы:",
                 new QLabel(Q(Format("%s ( %s )", {kProgramVersion, kProgramBuild})), this));
    auto link = [&](const char* label, const TPublisherLink& target) {
        auto* l = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(target.address), this);
        l->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        connect(l, &QLabel::linkActivated, this,
                [&ui](const QString& url) { ui.OpenDocument(S(url)); });
        form->addRow(label, l);
    };
    link("Официальный сайт проекта:", kSiteLink);
    link("Здесь Вы сможете скачать последние обновления:", kDownloadsLink);
    link("Вопросы и пожелания направлять по адресу:", kMailLink);
    link("Наш блог:", kBlogLink);
    link("Наши страницы в соцсетях:", kSocialLink);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("Закрыть", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace zentrix::gui
