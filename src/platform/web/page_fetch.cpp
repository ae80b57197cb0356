#include "platform/web/page_fetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringDecoder>

#include "platform/web/page_document.h"

namespace web {
namespace {

// A server that accepts the connection and then says nothing fails the load after this long.
constexpr int kTransferTimeoutMs = 30000;
// Marks a reply aborted for going past its size limit.
constexpr const char* kTooLarge = "korvashTooLarge";

QNetworkRequest requestFor(const QUrl& url, int maxRedirects) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(maxRedirects);
    request.setTransferTimeout(kTransferTimeoutMs);
    return request;
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

// One load: its replies, and the page as far as it has come. Replies call back through a weak
// pointer, so a dropped load never reaches its callbacks.
struct PageFetch::Load {
    Done done;
    Failed failed;
    FetchedPage page;
    std::vector<QPointer<QNetworkReply>> replies;
    int picturesPending = 0;

    ~Load() {
        for (auto& reply : replies) {
            if (reply) {
                reply->disconnect();
                reply->abort();
                reply->deleteLater();
            }
        }
    }
};

PageFetch::PageFetch(FetchLimits limits) : limits_(limits) {}
PageFetch::~PageFetch() = default;

QNetworkAccessManager& PageFetch::network() {
    if (!network_) network_ = std::make_unique<QNetworkAccessManager>();
    return *network_;
}

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

    if (!isWebAddress(url)) {
        // Reported from the event loop like every other failure.
        QMetaObject::invokeMethod(
            &network(), [fail] { fail(FetchError::BadAddress); }, Qt::QueuedConnection);
        return;
    }

    QNetworkReply* reply = network().get(requestFor(url, limits_.maxRedirects));
    load->replies.emplace_back(reply);
    const qint64 maxPage = limits_.maxPageBytes;
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, maxPage](qint64 received, qint64) {
                         if (received <= maxPage) return;
                         reply->setProperty(kTooLarge, true);
                         reply->abort();
                     });
    QObject::connect(
        reply, &QNetworkReply::finished, reply, [this, weak, reply, fail, finish, maxPage] {
            reply->deleteLater();
            auto alive = weak.lock();
            if (!alive || load_ != alive) return;
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (reply->property(kTooLarge).toBool()) return fail(FetchError::TooLarge);
            if (reply->error() != QNetworkReply::NoError) {
                return fail(status >= 400 ? FetchError::HttpStatus : FetchError::Network);
            }
            if (status >= 400 || status == 0) return fail(FetchError::HttpStatus);
            const QByteArray bytes = reply->readAll();
            if (bytes.size() > maxPage) return fail(FetchError::TooLarge);
            alive->page.url = reply->url();
            alive->page.html =
                decodePage(bytes, reply->header(QNetworkRequest::ContentTypeHeader).toString());

            std::vector<QString> names = pictureNames(alive->page.html);
            if (names.size() > std::size_t(limits_.maxPictures)) names.resize(limits_.maxPictures);
            for (const QString& name : names) {
                const QUrl pictureUrl = alive->page.url.resolved(QUrl(name));
                if (!isWebAddress(pictureUrl)) continue;
                QNetworkReply* pictureReply =
                    network().get(requestFor(pictureUrl, limits_.maxRedirects));
                alive->replies.emplace_back(pictureReply);
                ++alive->picturesPending;
                const qint64 maxPicture = limits_.maxPictureBytes;
                QObject::connect(pictureReply, &QNetworkReply::downloadProgress, pictureReply,
                                 [pictureReply, maxPicture](qint64 received, qint64) {
                                     if (received > maxPicture) pictureReply->abort();
                                 });
                QObject::connect(
                    pictureReply, &QNetworkReply::finished, pictureReply,
                    [this, weak, pictureReply, name, finish] {
                        pictureReply->deleteLater();
                        auto load = weak.lock();
                        if (!load || load_ != load) return;
                        if (pictureReply->error() == QNetworkReply::NoError) {
                            QImage image;
                            if (image.loadFromData(pictureReply->readAll())) {
                                load->page.pictures.push_back({name, std::move(image)});
                            }
                        }
                        if (--load->picturesPending == 0) finish();
                    });
            }
            if (alive->picturesPending == 0) finish();
        });
}

}  // namespace web
