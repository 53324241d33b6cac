#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>

namespace zorv::convert {

// One HTTP(S) GET at a time with limits, run on the calling thread's event
// loop. It lives in its own module ("zorvcalc-net", with the network
// library), which is loaded when the first download starts; RatesDownload
// is its face in the program.
class HttpFetch {
public:
    struct Limits {
        int timeoutMs = 30000;
        qint64 maxBytes = 100LL * 1024 * 1024;
        int maxRedirects = 5;
    };
    // ok with the whole reply, or !ok with a message for the user.
    using Done = std::function<void(bool ok, const QByteArray& data, const QString& message)>;

    virtual ~HttpFetch() = default;
    // Starts a download; false while one is running. `done` is called once,
    // from the event loop, never from within start().
    virtual bool start(const QUrl& url, const Limits& limits, Done done) = 0;
    // Stops the running download; `done` follows with "cancelled".
    virtual void cancel() = 0;
    virtual bool running() const = 0;
};

// The module's entry point: a new fetch, owned by the caller. The number is
// the interface's version, so a module from another build is refused.
inline constexpr char kHttpFetchModule[] = "zorvcalc-net";
inline constexpr char kMakeHttpFetch[] = "zorv_make_http_fetch_1";
using MakeHttpFetch = HttpFetch* (*)();

}  // namespace zorv::convert
