#include <QFile>
#include <QUrl>
#include <map>

#include "anigif/async_read.h"
#include "platform/http/http_client.h"
#include "platform/runtime/scheduler.h"

namespace anigif {
namespace {

constexpr int kStatusError = 0;

class NetworkAsyncReader final : public AsyncReader {
  public:
    // The client loads nothing until a read needs it (the network module only for https).
    explicit NetworkAsyncReader(platform::Scheduler& scheduler)
        : scheduler_(scheduler), http_(platform::MakeHttpClient(scheduler)) {}

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
        CancelAsyncRead(name);
        // The request lives in the map until it answers; a cancel or a new read by the same
        // name drops it, and a dropped request never answers.
        requests_[name] =
            http_->get(url, {.maxBytes = kMostWebPictureBytes, .preferNetwork = useCacheOnFailure},
                       [this, name, handlers](platform::HttpResponse response) {
                           // Dropped only after the handlers ran: they may start
                           // another read by the name.
                           const auto request = std::move(requests_[name]);
                           requests_.erase(name);
                           scheduler_.dispatch([&] {
                               if (response.failed) {
                                   handlers.progress(name, kStatusError);
                               } else {
                                   handlers.complete(name, response.body);
                               }
                           });
                       });
        return true;
    }

    void CancelAsyncRead(const QString& name) override { requests_.erase(name); }

  private:
    platform::Scheduler& scheduler_;
    std::unique_ptr<platform::HttpClient> http_;
    std::map<QString, std::unique_ptr<platform::HttpRequest>> requests_;
};

}  // namespace

std::unique_ptr<AsyncReader> makeNetworkAsyncReader(platform::Scheduler& scheduler) {
    return std::make_unique<NetworkAsyncReader>(scheduler);
}

}  // namespace anigif
