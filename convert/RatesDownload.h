#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
#include <QNetworkReply>
class QTimer;

namespace zorv::convert {

// Fetches the daily rates file in the background: the window stays usable
// and can cancel. The transfer gives up after `timeoutMs` without any data,
// on a reply larger than `maxBytes` (told in advance or as it arrives), and
// after `maxRedirects` redirects; redirects never go from HTTPS to HTTP.
class RatesDownload : public QObject {
    Q_OBJECT

public:
    struct Limits {
        int timeoutMs = 30000;
        qint64 maxBytes = 100LL * 1024 * 1024;
        int maxRedirects = 5;
    };

    explicit RatesDownload(QObject* parent = nullptr);
    ~RatesDownload() override;

    // Starts a download; one at a time (false while one is running).
    bool start(const QUrl& url, Limits limits);
    bool start(const QUrl& url) { return start(url, Limits{}); }
    // Stops the running download; `finished` follows with "cancelled".
    void cancel();
    bool running() const { return reply_ != nullptr; }

signals:
    // ok with the whole reply, or !ok with a message for the user.
    void finished(bool ok, const QByteArray& data, const QString& message);

private:
    enum class Stop { None, Cancelled, TimedOut, TooLarge };
    void received();
    void done();
    void stopWith(Stop why);

    QNetworkAccessManager* manager_;
    QTimer* timer_;
    QPointer<QNetworkReply> reply_;
    QByteArray data_;
    Limits limits_;
    Stop stop_ = Stop::None;
    QUrl url_;
};

}  // namespace zorv::convert
