#include "platform/web/page_fetch.h"

#include <QStringDecoder>

#include "platform/http/http_client.h"
#include "platform/runtime/scheduler.h"
#include "platform/web/page_document.h"

namespace web {
namespace {

// A server that accepts the connection and then says nothing fails the load after this long.
constexpr int kTransferTimeoutMs = 30000;

platform::HttpGetOptions optionsFor(const FetchLimits& limits, qint64 maxBytes) {
    return {.maxRedirects = limits.maxRedirects,
            .transferTimeoutMs = kTransferTimeoutMs,
            .maxBytes = maxBytes};
}

// The page's text in the character set its header names; UTF-8 when it names none.
QString decodePage(const QByteArray& bytes, const QString& contentType) {
    const auto at = contentType.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (at >= 0) {
        const QString name = contentType.mid(at + 8).section(u';', 0, 0).trimmed();
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid()) return decoder.decode(bytes);
    }
    return QString::fromUtf8(bytes);
}

}  // namespace

bool isWebAddress(const QUrl& url) {
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

// One load: its requests, and the page as far as it has come. Requests call back through a
// weak pointer, so a dropped load never reaches its callbacks; dropping it aborts them.
struct PageFetch::Load {
    Done done;
    Failed failed;
    FetchedPage page;
    std::vector<std::unique_ptr<platform::HttpRequest>> requests;
    int picturesPending = 0;
};

// The client loads nothing until a request needs it (the network module only for https).
PageFetch::PageFetch(platform::Scheduler& scheduler, FetchLimits limits)
    : scheduler_(scheduler), limits_(limits), http_(platform::MakeHttpClient(scheduler)) {}
PageFetch::~PageFetch() = default;

bool PageFetch::running() const {
    return load_ != nullptr;
}

void PageFetch::cancel() {
    load_.reset();
}

void PageFetch::start(const QUrl& url, Done done, Failed failed) {
    cancel();
    auto load = std::make_shared<Load>();
    load->done = std::move(done);
    load->failed = std::move(failed);
    load_ = load;
    std::weak_ptr<Load> weak = load;

    // Every callback first checks that its load is still the running one, so a fetch destroyed
    // meanwhile is never touched.
    const auto fail = [this, weak](FetchError error) {
        auto alive = weak.lock();
        if (!alive || load_ != alive) return;
        load_.reset();
        alive->failed(error);
    };
    const auto finish = [this, weak] {
        auto alive = weak.lock();
        if (!alive || load_ != alive) return;
        load_.reset();
        alive->done(std::move(alive->page));
    };

    // Reported from the event loop like every other failure.
    if (!isWebAddress(url)) return scheduler_.post([fail] { fail(FetchError::BadAddress); });

    load->requests.push_back(http_->get(
        url, optionsFor(limits_, limits_.maxPageBytes),
        [this, weak, fail, finish](platform::HttpResponse response) {
            auto alive = weak.lock();
            if (!alive || load_ != alive) return;
            if (response.tooLarge) return fail(FetchError::TooLarge);
            if (response.failed) {
                return fail(response.status >= 400 ? FetchError::HttpStatus : FetchError::Network);
            }
            if (response.status >= 400 || response.status == 0) {
                return fail(FetchError::HttpStatus);
            }
            alive->page.url = response.url;
            alive->page.html = decodePage(response.body, response.contentType);

            std::vector<QString> names = pictureNames(alive->page.html);
            if (names.size() > std::size_t(limits_.maxPictures)) names.resize(limits_.maxPictures);
            for (const QString& name : names) {
                const QUrl pictureUrl = alive->page.url.resolved(QUrl(name));
                if (!isWebAddress(pictureUrl)) continue;
                ++alive->picturesPending;
                alive->requests.push_back(
                    http_->get(pictureUrl, optionsFor(limits_, limits_.maxPictureBytes),
                               [this, weak, name, finish](platform::HttpResponse picture) {
                                   auto load = weak.lock();
                                   if (!load || load_ != load) return;
                                   QImage image;
                                   if (!picture.failed && image.loadFromData(picture.body)) {
                                       load->page.pictures.push_back({name, std::move(image)});
                                   }
                                   if (--load->picturesPending == 0) finish();
                               }));
            }
            if (alive->picturesPending == 0) finish();
        }));
}

}  // namespace web
