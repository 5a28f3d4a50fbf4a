#pragma once
// A light web view: fetches one page with QNetworkAccessManager and shows its HTML in a text browser. It runs
// no scripts and loads no pictures or style sheets, which is all the promotion windows need. When the page
// cannot be fetched (no network, no such host, an HTTP error, the transfer timeout) it shows a short note
// instead. Clicked links go to the URL opener, never into the view.
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "about/Publisher.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace tavrel::about {

inline constexpr int kPageTimeoutMs = 5000;  // no byte for this long ends the transfer (offline note)

class PageView : public QTextBrowser {
    Q_OBJECT
public:
    enum class State { Idle, Loading, Shown, Offline };

    explicit PageView(UrlOpener opener, QWidget* parent = nullptr);
    ~PageView() override;

    // Starts fetching `url`, abandoning any fetch still running.
    void load(const QUrl& url, int transferTimeoutMs = kPageTimeoutMs);
    QUrl pageUrl() const { return url_; }
    State state() const { return state_; }

signals:
    void finished(bool pageShown);  // false: the offline note is shown

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void abandon();
    void onReply(QNetworkReply* reply);
    void onLink(const QUrl& link);

    UrlOpener opener_;
    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> reply_;
    QUrl url_;
    State state_ = State::Idle;
};

// The note shown when `url` cannot be reached.
QString OfflineNoteHtml(const QUrl& url);

// The body of an HTTP reply as text: in the charset its Content-Type names, otherwise UTF-8.
QString DecodePage(const QByteArray& body, const QByteArray& contentType);

}  // namespace tavrel::about
