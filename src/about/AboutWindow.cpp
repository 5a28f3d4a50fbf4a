#include "about/AboutWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "about/ClickableLabel.h"
#include "about/Pictures.h"
#include "about/Placement.h"

namespace tavrel::about {

namespace {
constexpr int kWidthTwips = 5400;
constexpr int kHeaderHeightTwips = 1020;

ClickableLabel* LinkLabel(const QString& text, QWidget* parent) {
    auto* l = new ClickableLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color:#1f5fa8; text-decoration: underline"));
    l->setCursor(Qt::PointingHandCursor);
    return l;
}
}  // namespace

AboutWindow::AboutWindow(UrlOpener opener, QWidget* parent) : QDialog(parent), opener_(std::move(opener)) {
    setObjectName(QStringLiteral("aboutfrm"));
    setWindowTitle(QStringLiteral("关于 Tavrel"));
    const int width = TwipsToPixels(kWidthTwips, logicalDpiX());
    const int headerHeight = TwipsToPixels(kHeaderHeightTwips, logicalDpiY());

    // Header: the picture, the icon on it and the brand line, all three links to the home page.
    auto* head = new ClickableLabel(this);
    head->setObjectName(QStringLiteral("picBGHead"));
    head->setFixedSize(width, headerHeight);
    head->setPixmap(HeaderBackground(head->size()));
    head->setCursor(Qt::PointingHandCursor);
    auto* icon = new ClickableLabel(head);
    icon->setObjectName(QStringLiteral("picBGHeadIcon"));
    const int iconSize = headerHeight * 2 / 3;
    icon->setPixmap(BrandIcon(iconSize));
    icon->setGeometry((headerHeight - iconSize) / 2, (headerHeight - iconSize) / 2, iconSize, iconSize);
    auto* info = new ClickableLabel(head);
    info->setObjectName(QStringLiteral("lblBGHeadInfo1"));
    info->setText(QStringLiteral("<span style='font-size:14pt; font-weight:bold'>%1</span><br>%2")
                      .arg(kBrand.toHtmlEscaped(), kSlogan.toHtmlEscaped()));
    info->setStyleSheet(QStringLiteral("color:white"));
    info->setGeometry(headerHeight, 0, width - headerHeight - 8, headerHeight);
    for (ClickableLabel* l : {head, icon, info}) {
        l->setCursor(Qt::PointingHandCursor);
        connect(l, &ClickableLabel::clicked, this, [this] { opener_(QUrl(kHomePage)); });
    }

    auto* download = LinkLabel(kHomePage, this);
    download->setObjectName(QStringLiteral("Label4"));
    connect(download, &ClickableLabel::clicked, this, [this] { opener_(QUrl(kHomePage)); });
    auto* mail = LinkLabel(kAuthorMail, this);
    mail->setObjectName(QStringLiteral("lblHomepage"));
    connect(mail, &ClickableLabel::clicked, this, [this] { opener_(QUrl(QStringLiteral("mailto:") + kAuthorMail)); });

    auto* grid = new QGridLayout;
    grid->setContentsMargins(16, 12, 16, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    const QString keys[] = {QStringLiteral("版 本："), QStringLiteral("单 位："), QStringLiteral("作 者："),
                            QStringLiteral("软件下载："), QStringLiteral("E-mail：")};
    QWidget* values[] = {version, new QLabel(kOrganisation, this), new QLabel(kAuthor, this), download, mail};
    for (int row = 0; row < 5; ++row) {
        grid->addWidget(new QLabel(keys[row], this), row, 0, Qt::AlignRight);
        grid->addWidget(values[row], row, 1, Qt::AlignLeft);
    }
    grid->setColumnStretch(1, 1);

    auto* close = new QPushButton(QStringLiteral("确定"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 4, 16, 12);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(head);
    column->addLayout(grid);
    column->addLayout(buttons);

    adjustSize();
    setFixedSize(size());
    // CenterForm on load.
    move(ThirdFromTop(ScreenRect(*this), frameGeometry().size()));
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes a dialog already; Ctrl+W closes it as it closes other windows.
    if (event->key() == Qt::Key_W && event->modifiers() == Qt::ControlModifier) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tavrel::about
