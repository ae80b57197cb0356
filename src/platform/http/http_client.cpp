#include "platform/http/http_client.h"

#include <string>

#include "platform/http/network_module.h"
#include "platform/http/plain_http_get.h"

namespace platform {
namespace {

// The https side: the network module, loaded at the first request that needs it. Shared with
// the plain transfers, which hand it their redirects to https.
class SecureSide {
  public:
    explicit SecureSide(Scheduler& scheduler) : scheduler_(scheduler) {}

    std::unique_ptr<HttpRequest> get(const QUrl& url, const HttpGetOptions& options,
                                     HttpClient::Done done) {
        if (!tried_) {
            tried_ = true;
            std::string problem;
            module_ = OpenNetworkModuleClient(problem);
        }
        if (!module_) return FailedHttpGet(scheduler_, url, std::move(done));
        return module_->get(url, options, std::move(done));
    }

  private:
    Scheduler& scheduler_;
    std::unique_ptr<HttpClient> module_;
    bool tried_ = false;
};

class SchemeRouter final : public HttpClient {
  public:
    explicit SchemeRouter(Scheduler& scheduler)
        : scheduler_(scheduler), secure_(std::make_shared<SecureSide>(scheduler)) {}

    std::unique_ptr<HttpRequest> get(const QUrl& url, const HttpGetOptions& options,
                                     Done done) override {
        if (url.scheme() == QLatin1String("https")) {
            return secure_->get(url, options, std::move(done));
        }
        return StartPlainHttpGet(
            scheduler_, url, options, std::move(done),
            [secure = secure_](const QUrl& to, const HttpGetOptions& rest, Done answer) {
                return secure->get(to, rest, std::move(answer));
            });
    }

  private:
    Scheduler& scheduler_;
    std::shared_ptr<SecureSide> secure_;
};

}  // namespace

std::unique_ptr<HttpClient> MakeHttpClient(Scheduler& scheduler) {
    return std::make_unique<SchemeRouter>(scheduler);
}

}  // namespace platform
