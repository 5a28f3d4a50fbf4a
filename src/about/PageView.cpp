#include "about/PageView.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>

namespace tavrel::about {

PageView::PageView(UrlOpener opener, QWidget* parent)
    : QTextBrowser(parent), opener_(std::move(opener)), network_(new QNetworkAccessManager(this)) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &PageView::onLink);
    connect(network_, &QNetworkAccessManager::finished, this, &PageView::onReply);
}

PageView::~PageView() { abandon(); }

void PageView::abandon() {
    if (!reply_) return;
    QNetworkReply* old = reply_;
    reply_ = nullptr;  // onReply ignores a reply that is no longer the current one
    old->abort();
}

void PageView::load(const QUrl& url, int transferTimeoutMs) {
    abandon();
    url_ = url;
    state_ = State::Loading;
    setHtml(QStringLiteral("<p style='color:#666'>正在打开网页……</p>"));
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    reply_ = network_->get(request);
}

void PageView::onReply(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) return;  // an abandoned fetch
    reply_ = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && (status == 0 || (status >= 200 && status < 300));
    if (ok) {
        const QString text =
            DecodePage(reply->readAll(), reply->header(QNetworkRequest::ContentTypeHeader).toString().toLatin1());
        setHtml(text);
        state_ = State::Shown;
    } else {
        setHtml(OfflineNoteHtml(url_));
        state_ = State::Offline;
    }
    emit finished(ok);
}

void PageView::onLink(const QUrl& link) {
    // Links are relative to the page; the offline note links to the page itself.
    if (opener_) opener_(url_.resolved(link));
}

QVariant PageView::loadResource(int, const QUrl&) {
    // Pictures and style sheets of the page are not fetched: the view stays light and never blocks.
    return {};
}

QString OfflineNoteHtml(const QUrl& url) {
    const QString u = url.toString().toHtmlEscaped();
    return QStringLiteral(
               "<div style='margin:8px'>"
               "<p style='font-size:large'><b>暂时无法打开网页</b></p>"
               "<p>网络不可用，或网站暂时无法访问。</p>"
               "<p>联网后可以在浏览器中打开：<br><a href='%1'>%1</a></p>"
               "</div>")
        .arg(u);
}

QString DecodePage(const QByteArray& body, const QByteArray& contentType) {
    static const QRegularExpression charsetRe(QStringLiteral("charset\\s*=\\s*\"?([A-Za-z0-9._:-]+)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const auto m = charsetRe.match(QString::fromLatin1(contentType));
    if (m.hasMatch()) {
        QStringDecoder decoder(m.captured(1).toLatin1().constData());
        if (decoder.isValid()) return decoder.decode(body);
    }
    return QString::fromUtf8(body);
}

}  // namespace tavrel::about
