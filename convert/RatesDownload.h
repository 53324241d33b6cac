#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

#include "convert/HttpFetch.h"

namespace zorv::convert {

// Fetches the daily rates file in the background: the window stays usable
// and can cancel. The transfer gives up after `timeoutMs` without any data,
// on a reply larger than `maxBytes` (told in advance or as it arrives), and
// after `maxRedirects` redirects; redirects never go from HTTPS to HTTP.
// The transfer itself is done by the "zorvcalc-net" module, loaded by the
// first download; when it cannot be loaded, `finished` says why.
class RatesDownload : public QObject {
    Q_OBJECT

public:
    using Limits = HttpFetch::Limits;

    explicit RatesDownload(QObject* parent = nullptr);
    ~RatesDownload() override;

    // Starts a download; one at a time (false while one is running).
    bool start(const QUrl& url, Limits limits);
    bool start(const QUrl& url) { return start(url, Limits{}); }
    // Stops the running download; `finished` follows with "cancelled".
    void cancel();
    bool running() const;

signals:
    // ok with the whole reply, or !ok with a message for the user.
    void finished(bool ok, const QByteArray& data, const QString& message);

private:
    std::unique_ptr<HttpFetch> fetch_;
    bool failing_ = false;  // a "could not load" report is on its way
};

}  // namespace zorv::convert
