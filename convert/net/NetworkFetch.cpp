// The network half of the rates download, built as the module
// "zorvcalc-net": only a download loads it, and with it the network library.
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "convert/HttpFetch.h"

namespace zorv::convert {

namespace {

QString megabytes(qint64 bytes) { return QString::number(bytes / (1024 * 1024)); }

// Errors that mean the server could not be reached at all.
bool unreachable(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
        return true;
    default:
        return false;
    }
}

}  // namespace

// Gives up after `timeoutMs` without any data, on a reply larger than
// `maxBytes` (told in advance or as it arrives), and after `maxRedirects`
// redirects; redirects never go from HTTPS to HTTP.
class NetworkFetch : public QObject, public HttpFetch {
public:
    NetworkFetch();
    ~NetworkFetch() override;
    bool start(const QUrl& url, const Limits& limits, Done done) override;
    void cancel() override;
    bool running() const override { return reply_ != nullptr; }

private:
    enum class Stop { None, Cancelled, TimedOut, TooLarge };
    void received();
    void finish();
    void stopWith(Stop why);
    void report(bool ok, const QByteArray& data, const QString& message) {
        Done done = std::move(done_);
        done_ = nullptr;
        if (done) done(ok, data, message);
    }

    QNetworkAccessManager* manager_;
    QTimer* timer_;
    QPointer<QNetworkReply> reply_;
    QByteArray data_;
    Limits limits_;
    Stop stop_ = Stop::None;
    QUrl url_;
    Done done_;
};

NetworkFetch::NetworkFetch()
    : manager_(new QNetworkAccessManager(this)), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { stopWith(Stop::TimedOut); });
}

NetworkFetch::~NetworkFetch() {
    done_ = nullptr;
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

bool NetworkFetch::start(const QUrl& url, const Limits& limits, Done done) {
    if (reply_) return false;
    done_ = std::move(done);
    limits_ = limits;
    url_ = url;
    data_.clear();
    stop_ = Stop::None;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits.maxRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("ZorvCalculator"));
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limits_.maxBytes) stopWith(Stop::TooLarge);
    });
    connect(reply_, &QNetworkReply::readyRead, this, &NetworkFetch::received);
    connect(reply_, &QNetworkReply::downloadProgress, this, [this] { timer_->start(limits_.timeoutMs); });
    connect(reply_, &QNetworkReply::finished, this, &NetworkFetch::finish);
    timer_->start(limits_.timeoutMs);
    return true;
}

void NetworkFetch::cancel() { stopWith(Stop::Cancelled); }

void NetworkFetch::stopWith(Stop why) {
    if (!reply_ || stop_ != Stop::None) return;
    stop_ = why;
    // finished follows, and finish() reports the reason. Inside the reply's own
    // signals (a reply found too large) the abort waits for the event loop.
    if (why == Stop::TooLarge)
        QMetaObject::invokeMethod(reply_.data(), &QNetworkReply::abort, Qt::QueuedConnection);
    else
        reply_->abort();
}

void NetworkFetch::received() {
    if (!reply_ || stop_ != Stop::None) return;
    timer_->start(limits_.timeoutMs);
    const QByteArray chunk = reply_->readAll();
    if (data_.size() + chunk.size() > limits_.maxBytes) {
        data_.clear();
        stopWith(Stop::TooLarge);
        return;
    }
    data_.append(chunk);
}

void NetworkFetch::finish() {
    timer_->stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (!reply) return;
    reply->deleteLater();
    if (stop_ == Stop::None && reply->bytesAvailable() > 0) {
        reply_ = reply;  // received() reads through reply_
        received();
        reply_ = nullptr;
    }
    const QString host = url_.host().isEmpty() ? url_.toDisplayString() : url_.host();
    QString message;
    switch (stop_) {
    case Stop::Cancelled: message = QStringLiteral("The download was cancelled."); break;
    case Stop::TimedOut:
        message = QStringLiteral("%1 did not answer within %2 seconds.").arg(host).arg(limits_.timeoutMs / 1000.0);
        break;
    case Stop::TooLarge:
        message = QStringLiteral("The reply from %1 is larger than %2 MB and was not used.")
                      .arg(host, megabytes(limits_.maxBytes));
        break;
    case Stop::None: break;
    }
    if (message.isEmpty() && reply->error() != QNetworkReply::NoError) {
        const auto error = reply->error();
        if (unreachable(error))
            message = QStringLiteral("%1 could not be reached: the computer may be offline (%2).")
                          .arg(host, reply->errorString());
        else if (error == QNetworkReply::TooManyRedirectsError ||
                 error == QNetworkReply::InsecureRedirectError)
            message = QStringLiteral("%1 redirected too often or to an unsafe address.").arg(host);
        else
            message = QStringLiteral("The download from %1 failed: %2").arg(host, reply->errorString());
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (message.isEmpty() && status.isValid() && status.toInt() != 200)
        message = QStringLiteral("%1 answered %2 %3.")
                      .arg(host)
                      .arg(status.toInt())
                      .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    if (!message.isEmpty()) {
        data_.clear();
        report(false, {}, message);
        return;
    }
    QByteArray data;
    data.swap(data_);
    report(true, data, {});
}

}  // namespace zorv::convert

extern "C" Q_DECL_EXPORT zorv::convert::HttpFetch* zorv_make_http_fetch_1() { return new zorv::convert::NetworkFetch; }
