#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

namespace platform {
class HttpClient;
class Scheduler;
}  // namespace platform

namespace web {

// How far a page load may go: bad or hostile pages must not take the table's memory or time.
struct FetchLimits {
    int maxRedirects = 5;
    qint64 maxPageBytes = 2 * 1024 * 1024;
    qint64 maxPictureBytes = 2 * 1024 * 1024;
    int maxPictures = 32;
};

// Why a navigation failed.
enum class FetchError { BadAddress, Network, HttpStatus, TooLarge };

// A page with the pictures it names, loaded but not laid out.
struct FetchedPage {
    QUrl url;  // after redirects: relative addresses resolve against it
    QString html;
    struct Picture {
        QString name;  // as the page names it
        QImage image;
    };
    std::vector<Picture> pictures;
};

// Addresses a pane accepts: absolute http and https only.
bool isWebAddress(const QUrl& url);

// Loads one page and then its pictures. Only one load runs at a time: starting another, or
// destroying the fetch, drops the one before without calling it back. A picture that fails
// is simply left out; only the page itself can fail the load.
class PageFetch {
  public:
    using Done = std::function<void(FetchedPage)>;
    using Failed = std::function<void(FetchError)>;

    explicit PageFetch(platform::Scheduler& scheduler, FetchLimits limits = {});
    ~PageFetch();
    PageFetch(const PageFetch&) = delete;
    PageFetch& operator=(const PageFetch&) = delete;

    // The callbacks run from the scheduler, never inside start().
    void start(const QUrl& url, Done done, Failed failed);
    void cancel();
    bool running() const;

  private:
    struct Load;

    platform::Scheduler& scheduler_;
    FetchLimits limits_;
    std::unique_ptr<platform::HttpClient> http_;
    std::shared_ptr<Load> load_;
};

}  // namespace web
