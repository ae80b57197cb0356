#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

#include "platform/web/page_fetch.h"

class QTextDocument;

namespace web {

// The picture addresses a page names (<img src>), each once, in the order they appear.
std::vector<QString> pictureNames(const QString& html);

// A loaded page laid out as rich text: the HTML that Qt's text engine knows (no scripts, no
// style sheets beyond its own subset), with the fetched pictures in place.
class PageDocument {
  public:
    explicit PageDocument(FetchedPage page);
    ~PageDocument();
    PageDocument(const PageDocument&) = delete;
    PageDocument& operator=(const PageDocument&) = delete;

    const QUrl& url() const { return url_; }
    QString title() const;
    // The page drawn at the pane's size, from its top, on white.
    QImage render(QSize pixels) const;

  private:
    QUrl url_;
    std::unique_ptr<QTextDocument> document_;
};

}  // namespace web
