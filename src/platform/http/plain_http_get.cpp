#include "platform/http/plain_http_get.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/http/http_response_parser.h"
#include "platform/net/tcp_socket.h"
#include "platform/runtime/scheduler.h"

namespace platform {
namespace {

constexpr int kDefaultPort = 80;
constexpr const char* kUserAgent = "Korvash";

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool isPlainHttp(const QUrl& url) {
    return url.isValid() && url.scheme() == QLatin1String("http") && !url.host().isEmpty();
}

std::string requestFor(const QUrl& url) {
    QByteArray target =
        url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (target.isEmpty()) target = "/";
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) host = '[' + host + ']';
    if (url.port() != -1 && url.port() != kDefaultPort)
        host += ':' + QByteArray::number(url.port());
    return "GET " + target.toStdString() + " HTTP/1.1\r\nHost: " + host.toStdString() +
           "\r\nUser-Agent: " + kUserAgent + "\r\nAccept: */*\r\nConnection: close\r\n\r\n";
}

// Posts `response` to `done` unless `alive` has expired by then. The callback is moved out before
// it runs: it may destroy the request that held it.
template <typename Owner>
void answerLater(Scheduler& scheduler, std::weak_ptr<Owner> alive, HttpResponse response) {
    scheduler.post([alive = std::move(alive), response = std::move(response)] {
        auto owner = alive.lock();
        if (!owner || !owner->done) return;
        auto done = std::move(owner->done);
        owner.reset();
        done(response);
    });
}

// One GET and its redirects; owned by its request alone.
class PlainHttpGet final : public std::enable_shared_from_this<PlainHttpGet> {
  public:
    PlainHttpGet(Scheduler& scheduler, const HttpGetOptions& options, HttpClient::Done done,
                 HttpHandoff handoff)
        : done(std::move(done)),
          scheduler_(scheduler),
          options_(options),
          handoff_(std::move(handoff)),
          silence_(scheduler) {
        silence_.onTimer = [this] { silenceTick(); };
    }

    // Starts a hop: the first address or a redirect's.
    void start(const QUrl& url) {
        url_ = url;
        if (!isPlainHttp(url)) return finish(failure());
        parser_.emplace(HttpResponseParser::Limits{.maxBodyBytes = options_.maxBytes});
        // A fresh socket for each hop; the one before goes without reading what is left.
        socket_ = std::make_unique<TcpSocket>(scheduler_);
        listen(*socket_);
        socket_->setRemoteHost(url.host(QUrl::FullyEncoded));
        socket_->setRemotePort(url.port(kDefaultPort));
        socket_->connect();
        heard();
        if (options_.transferTimeoutMs > 0) {
            silence_.setInterval(timerInterval(options_.transferTimeoutMs));
        }
    }

    HttpClient::Done done;  // emptied once the answer is on its way

  private:
    // The socket may be destroyed inside any of these (an answer, a redirect, a failure): each
    // touches nothing of it afterwards.
    void listen(TcpSocket& socket) {
        socket.onConnect = [this, &socket] {
            heard();
            socket.sendData(requestFor(url_));
        };
        socket.onDataArrival = [this, &socket](std::size_t) {
            heard();
            const auto bytes = socket.getData();
            parser_->feed(
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            progress();
        };
        socket.onClose = [this] {
            parser_->close();
            progress();
        };
        socket.onError = [this](int, const QString&) { finish(failure()); };
    }

    static int timerInterval(Millis ms) {
        return int(std::clamp<Millis>(ms, 1, Timer::kMaxInterval));
    }

    void heard() { lastHeard_ = scheduler_.now(); }

    // The timer's interval is capped, and data restarts the wait: each tick looks at how long
    // the connection has really been silent.
    void silenceTick() {
        const Millis silent = scheduler_.now() - lastHeard_;
        if (silent >= options_.transferTimeoutMs) return finish(failure());
        silence_.setInterval(timerInterval(options_.transferTimeoutMs - silent));
    }

    HttpResponse failure() const {
        HttpResponse response;
        response.failed = true;
        if (parser_ && parser_->headComplete()) response.status = parser_->status();
        return response;
    }

    // Acts on what the parser has so far: a redirect or an error status needs only the head.
    void progress() {
        HttpResponseParser& parser = *parser_;
        if (parser.headComplete()) {
            const int status = parser.status();
            if (isRedirect(status)) {
                if (const auto location = parser.header("Location")) return redirect(*location);
            }
            if (status >= 400) return finish(failure());
        }
        if (parser.outcome() == HttpResponseParser::Outcome::Failed) {
            HttpResponse response = failure();
            response.tooLarge = parser.problem() == HttpResponseParser::Problem::TooLarge;
            return finish(std::move(response));
        }
        if (parser.outcome() != HttpResponseParser::Outcome::Complete) return;
        HttpResponse response;
        response.status = parser.status();
        response.contentType = QString::fromLatin1(parser.header("Content-Type").value_or(""));
        response.body = parser.takeBody();
        finish(std::move(response));
    }

    void redirect(std::string_view location) {
        if (redirects_ >= options_.maxRedirects) return finish(failure());
        ++redirects_;
        const QUrl next =
            url_.resolved(QUrl(QString::fromUtf8(location.data(), qsizetype(location.size()))));
        if (next.scheme() == QLatin1String("https") && handoff_) {
            stopTransfer();
            url_ = next;
            HttpGetOptions rest = options_;
            rest.maxRedirects -= redirects_;
            handedOff_ = handoff_(next, rest, [this](HttpResponse response) {
                auto answer = std::move(done);
                answer(std::move(response));
            });
            return;
        }
        start(next);
    }

    // Destroyed rather than closed: a close reads off what the peer still sends, and a peer
    // past the size limit may never stop sending.
    void stopTransfer() {
        socket_.reset();
        silence_.setInterval(0);
    }

    void finish(HttpResponse response) {
        if (finished_) return;
        finished_ = true;
        stopTransfer();
        response.url = url_;
        if (response.failed) response.body.clear();
        answerLater(scheduler_, weak_from_this(), std::move(response));
    }

    Scheduler& scheduler_;
    HttpGetOptions options_;
    HttpHandoff handoff_;
    QUrl url_;
    int redirects_ = 0;
    std::unique_ptr<TcpSocket> socket_;
    Timer silence_;
    Millis lastHeard_ = 0;
    std::optional<HttpResponseParser> parser_;
    std::unique_ptr<HttpRequest> handedOff_;
    bool finished_ = false;
};

template <typename Transfer>
class OwningRequest final : public HttpRequest {
  public:
    explicit OwningRequest(std::shared_ptr<Transfer> transfer) : transfer_(std::move(transfer)) {}

  private:
    std::shared_ptr<Transfer> transfer_;
};

struct Refusal {
    HttpClient::Done done;
};

}  // namespace

std::unique_ptr<HttpRequest> StartPlainHttpGet(Scheduler& scheduler, const QUrl& url,
                                               const HttpGetOptions& options, HttpClient::Done done,
                                               HttpHandoff handoff) {
    auto transfer =
        std::make_shared<PlainHttpGet>(scheduler, options, std::move(done), std::move(handoff));
    transfer->start(url);
    return std::make_unique<OwningRequest<PlainHttpGet>>(std::move(transfer));
}

std::unique_ptr<HttpRequest> FailedHttpGet(Scheduler& scheduler, const QUrl& url,
                                           HttpClient::Done done) {
    auto refusal = std::make_shared<Refusal>(Refusal{std::move(done)});
    answerLater(scheduler, std::weak_ptr(refusal), HttpResponse{.failed = true, .url = url});
    return std::make_unique<OwningRequest<Refusal>>(std::move(refusal));
}

}  // namespace platform
