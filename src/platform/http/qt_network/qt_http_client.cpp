// The network module: HTTP GET on Qt Network, behind the client's own interface.
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

#include "platform/http/http_client.h"

namespace {

// Marks a reply aborted for passing its size limit.
constexpr const char* kTooLarge = "korvashTooLarge";

class QtHttpRequest final : public platform::HttpRequest {
  public:
    explicit QtHttpRequest(QNetworkReply* reply) : reply_(reply) {}
    ~QtHttpRequest() override {
        if (!reply_) return;
        reply_->disconnect();
        reply_->abort();
        reply_->deleteLater();
    }

  private:
    QPointer<QNetworkReply> reply_;
};

class QtHttpClient final : public platform::HttpClient {
  public:
    std::unique_ptr<platform::HttpRequest> get(const QUrl& url,
                                               const platform::HttpGetOptions& options,
                                               Done done) override {
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setMaximumRedirectsAllowed(options.maxRedirects);
        if (options.transferTimeoutMs > 0) request.setTransferTimeout(options.transferTimeoutMs);
        if (options.preferNetwork) {
            request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                                 QNetworkRequest::PreferNetwork);
        }
        QNetworkReply* reply = network_.get(request);
        if (options.maxBytes >= 0) {
            const qint64 maxBytes = options.maxBytes;
            QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                             [reply, maxBytes](qint64 received, qint64) {
                                 if (received <= maxBytes) return;
                                 reply->setProperty(kTooLarge, true);
                                 reply->abort();
                             });
        }
        QObject::connect(
            reply, &QNetworkReply::finished, reply,
            [reply, maxBytes = options.maxBytes, done = std::move(done)] {
                reply->deleteLater();
                platform::HttpResponse response;
                response.status =
                    reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                response.url = reply->url();
                response.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString();
                response.tooLarge = reply->property(kTooLarge).toBool();
                response.failed = response.tooLarge || reply->error() != QNetworkReply::NoError;
                if (!response.failed) {
                    response.body = reply->readAll();
                    if (maxBytes >= 0 && response.body.size() > maxBytes) {
                        response.body.clear();
                        response.tooLarge = response.failed = true;
                    }
                }
                done(std::move(response));
            });
        return std::make_unique<QtHttpRequest>(reply);
    }

  private:
    QNetworkAccessManager network_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) std::unique_ptr<platform::HttpClient>
korvash_open_http_client() {
    return std::make_unique<QtHttpClient>();
}
