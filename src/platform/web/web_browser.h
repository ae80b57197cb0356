#pragma once

#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

#include "platform/forms/event.h"
#include "platform/forms/picture_box.h"
#include "platform/web/page_fetch.h"

namespace web {

class PageDocument;

// The document a pane shows, through which the window hears the page's own events.
class WebDocument {
  public:
    explicit WebDocument(std::shared_ptr<const PageDocument> page) : page_(std::move(page)) {}

    const PageDocument& page() const { return *page_; }
    // A right click in the page; the page's menu would open only when it returns true. The
    // pane never has a context menu of its own, so nothing opens either way.
    std::function<bool()> oncontextmenu;

  private:
    std::shared_ptr<const PageDocument> page_;
};

// A web browser pane: a windowed control showing one page of HTTP or HTTPS rendered as rich
// text (pictures loaded, scripts never run, no context menu). Navigation runs in the background;
// its end comes as events from the event loop: DownloadComplete then DocumentComplete for a
// page, NavigateError for a failure (a bad address, a refused or broken connection, an HTTP
// error status, too many redirects, a page past its size limit). Plain http pages come through
// the client's own sockets; the network module is loaded only at the first https request.
// Without a GUI application a navigation does nothing.
class WebBrowser : public forms::PictureBox {
  public:
    WebBrowser(forms::Container& container, QString name, FetchLimits limits = {});
    ~WebBrowser() override;

    void navigate(const QString& address);
    bool busy() const { return fetch_.running(); }
    // The address of the page shown (after redirects); empty before the first page.
    QString locationUrl() const;
    // The document shown now; null before the first page.
    const std::shared_ptr<WebDocument>& document() const { return document_; }

    forms::Event<> onDownloadComplete;
    forms::Event<> onDocumentComplete;
    forms::Event<> onNavigateError;

  protected:
    void pressAction(QPointF at, int button) override;

  private:
    void pageArrived(FetchedPage page);
    void navigationFailed();

    PageFetch fetch_;
    std::shared_ptr<WebDocument> document_;
};

}  // namespace web
