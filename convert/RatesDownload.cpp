#include "convert/RatesDownload.h"

#include <QMetaObject>

#include "platform/Modules.h"

namespace zorv::convert {

RatesDownload::RatesDownload(QObject* parent) : QObject(parent) {}

RatesDownload::~RatesDownload() = default;

bool RatesDownload::start(const QUrl& url, Limits limits) {
    if (running()) return false;
    if (!fetch_) {
        QString error;
        const auto make = reinterpret_cast<MakeHttpFetch>(
            platform::moduleEntry(QLatin1String(kHttpFetchModule), kMakeHttpFetch, &error));
        if (make) fetch_.reset(make());
        if (!fetch_) {
            // Reported like any failed download, from the event loop.
            failing_ = true;
            QMetaObject::invokeMethod(
                this,
                [this, error] {
                    failing_ = false;
                    emit finished(false, {}, QStringLiteral("Rates cannot be downloaded: %1").arg(error));
                },
                Qt::QueuedConnection);
            return true;
        }
    }
    return fetch_->start(url, limits, [this](bool ok, const QByteArray& data, const QString& message) {
        emit finished(ok, data, message);
    });
}

void RatesDownload::cancel() {
    if (fetch_) fetch_->cancel();
}

bool RatesDownload::running() const { return failing_ || (fetch_ && fetch_->running()); }

}  // namespace zorv::convert
