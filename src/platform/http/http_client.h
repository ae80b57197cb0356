#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

// HTTP(S) GET as the web panes and the GIF control's reads need it. Plain http is our own small
// HTTP/1.1 client on the program's sockets (plain_http_get.h). https is Qt Network's, in a module
// of its own (qt_network/) that is loaded at the first https request, so a table whose pages are
// plain http maps none of the network libraries (Qt Network, the TLS, proxy and Kerberos
// libraries it stands on).
namespace platform {

class Scheduler;

struct HttpGetOptions {
    int maxRedirects = 50;       // redirects followed, never from https to http
    int transferTimeoutMs = 0;   // a transfer silent this long fails; 0: no limit
    qint64 maxBytes = -1;        // a body growing past this is aborted (`tooLarge`); -1: no limit
    bool preferNetwork = false;  // a cached copy only where the network fails (https only: plain
                                 // http keeps no cache)
};

struct HttpResponse {
    bool failed = false;    // no answer, a transport error, or an HTTP error status
    bool tooLarge = false;  // aborted for passing `maxBytes`
    int status = 0;         // the HTTP status, 0 when none came
    QUrl url;               // after redirects
    QString contentType;
    QByteArray body;  // empty when failed
};

// One request on its way: destroying it aborts the transfer, and its callback is then never
// called.
class HttpRequest {
  public:
    virtual ~HttpRequest() = default;
};

class HttpClient {
  public:
    using Done = std::function<void(HttpResponse)>;
    virtual ~HttpClient() = default;
    // `done` runs from the event loop, never inside get(), once.
    virtual std::unique_ptr<HttpRequest> get(const QUrl& url, const HttpGetOptions& options,
                                             Done done) = 0;
};

// The client for both schemes, on the scheduler's thread: each request goes to our own client
// (http) or to the network module (https, and a redirect from http to https), the module being
// loaded at the first request that needs it. A module that is missing or does not load fails
// those requests, never the plain ones. Cheap to make: nothing is loaded or opened here.
std::unique_ptr<HttpClient> MakeHttpClient(Scheduler& scheduler);

// The module's one entry point.
using OpenHttpClientFunction = std::unique_ptr<HttpClient> (*)();
inline constexpr const char* kOpenHttpClientSymbol = "korvash_open_http_client";

}  // namespace platform
