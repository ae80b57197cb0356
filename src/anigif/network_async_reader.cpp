#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>
#include <map>

#include "anigif/async_read.h"
#include "platform/runtime/scheduler.h"

namespace anigif {
namespace {

constexpr int kStatusError = 0;

class NetworkAsyncReader final : public AsyncReader {
  public:
    explicit NetworkAsyncReader(platform::Scheduler& scheduler) : scheduler_(scheduler) {}
    ~NetworkAsyncReader() override {
        for (auto& [name, reply] : replies_) {
            if (reply) reply->abort();
        }
    }

    bool AsyncRead(const QString& target, const QString& name, bool useCacheOnFailure,
                   Handlers handlers) override {
        const QUrl url = QUrl::fromUserInput(target);
        if (!url.isValid()) return false;
        if (url.isLocalFile()) {
            QFile file(url.toLocalFile());
            if (!file.open(QIODevice::ReadOnly)) return false;
            const QByteArray bytes = file.readAll();
            scheduler_.post([handlers, name, bytes] { handlers.complete(name, bytes); });
            return true;
        }
        if (url.scheme() != "http" && url.scheme() != "https") return false;
        QNetworkRequest request(url);
        if (useCacheOnFailure) {
            request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                                 QNetworkRequest::PreferNetwork);
        }
        CancelAsyncRead(name);
        QNetworkReply* reply = manager_.get(request);
        replies_[name] = reply;
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, name, handlers] {
            reply->deleteLater();
            if (replies_[name] != reply) return;  // cancelled or replaced
            replies_.erase(name);
            const bool failed = reply->error() != QNetworkReply::NoError;
            const QByteArray bytes = failed ? QByteArray() : reply->readAll();
            scheduler_.dispatch([&] {
                if (failed) {
                    handlers.progress(name, kStatusError);
                } else {
                    handlers.complete(name, bytes);
                }
            });
        });
        return true;
    }

    void CancelAsyncRead(const QString& name) override {
        const auto it = replies_.find(name);
        if (it == replies_.end()) return;
        QPointer<QNetworkReply> reply = it->second;
        replies_.erase(it);
        if (reply) reply->abort();
    }

  private:
    platform::Scheduler& scheduler_;
    QNetworkAccessManager manager_;
    std::map<QString, QPointer<QNetworkReply>> replies_;
};

}  // namespace

std::unique_ptr<AsyncReader> makeNetworkAsyncReader(platform::Scheduler& scheduler) {
    return std::make_unique<NetworkAsyncReader>(scheduler);
}

}  // namespace anigif
