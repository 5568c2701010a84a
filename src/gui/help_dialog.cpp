#include "gui/help_dialog.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zentrix::gui {

TFormHelp::TFormHelp(QWidget* parent, const QString& methodName, const QString& topic)
    : QDialog(parent) {
    setObjectName("FormHelp");
    setWindowTitle("Описание методики расчета");
    resize(640, 480);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    if (topic.isEmpty())
        browser_->setHtml(QStringLiteral("<h3>%1</h3><p>Файл справки не найден: описание методики "
                                         "недоступно.</p>")
                              .arg(methodName.toHtmlEscaped()));
    else
        browser_->setSource(QUrl::fromUserInput(topic));
    layout->addWidget(browser_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace zentrix::gui
