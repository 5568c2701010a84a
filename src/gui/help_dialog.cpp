#include "gui/help_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/session_core.h"
#include "gui/window_geometry.h"
#include "util/help_files.h"

namespace zentrix::gui {

namespace {

constexpr const char* kSection = "TFormHelp";

QString ContentsPath() {
    return QString::fromStdString(HelpPagePath(kHelpIndexPage));
}

}  // namespace

TFormHelp::TFormHelp(QWidget* parent, TSessionCore& core, const QString& methodName,
                     const QString& topic)
    : QDialog(parent), core_(core) {
    Build("Описание методики расчета");
    if (topic.isEmpty())
        browser_->setHtml(QStringLiteral("<h3>%1</h3><p>Файл справки не найден: описание методики "
                                         "недоступно.</p>")
                              .arg(methodName.toHtmlEscaped()));
    else
        Open(topic, methodName);
}

TFormHelp::TFormHelp(QWidget* parent, TSessionCore& core) : QDialog(parent), core_(core) {
    Build("Справка");
    const QString contents = ContentsPath();
    if (contents.isEmpty())
        browser_->setHtml("<p>Файл справки не найден: рядом с программой нет папки help.</p>");
    else
        Open(contents, "Содержание");
}

void TFormHelp::Build(const QString& title) {
    setObjectName("FormHelp");
    setWindowTitle(title);
    resize(720, 560);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);
    if (!HelpFolder().empty()) {
        browser_->setSearchPaths({QString::fromStdString(HelpFolder())});
        // The viewer does not follow the pages' stylesheet link: the style applies to every page.
        QFile css(QString::fromStdString(HelpPagePath("help.css")));
        if (css.open(QIODevice::ReadOnly))
            browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    }
    layout->addWidget(browser_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("Закрыть");
    QPushButton* back = buttons->addButton("Назад", QDialogButtonBox::ActionRole);
    back->setEnabled(false);
    back->setAutoDefault(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    QPushButton* contents = buttons->addButton("Содержание", QDialogButtonBox::ActionRole);
    contents->setAutoDefault(false);
    contents->setEnabled(!ContentsPath().isEmpty());
    connect(contents, &QPushButton::clicked, this,
            [this] { browser_->setSource(QUrl::fromLocalFile(ContentsPath())); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    try {
        RestorePlacement(this, core_.Settings().Ini(), kSection);
    } catch (const std::exception&) {
        // Without readable settings the viewer keeps its designed size.
    }
}

void TFormHelp::Open(const QString& path, const QString& missingText) {
    if (!QFileInfo(path).isFile()) {
        browser_->setHtml(QStringLiteral("<h3>%1</h3><p>Страница справки не найдена: %2</p>")
                              .arg(missingText.toHtmlEscaped(), path.toHtmlEscaped()));
        return;
    }
    browser_->setSource(QUrl::fromLocalFile(path));
}

void TFormHelp::done(int result) {
    SavePlacementOnClose(this, core_, kSection);
    QDialog::done(result);
}

}  // namespace zentrix::gui
