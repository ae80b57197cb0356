#include "platform/web/web_browser.h"

#include <QGuiApplication>

#include "platform/forms/form.h"
#include "platform/forms/forms.h"
#include "platform/forms/picture.h"
#include "platform/web/page_document.h"

namespace web {
namespace {

constexpr int kRightButton = 2;

}  // namespace

WebBrowser::WebBrowser(forms::Container& container, QString name, FetchLimits limits)
    : forms::PictureBox(container, std::move(name)), fetch_(form().forms().scheduler(), limits) {
    setBackColor(forms::kWhite);
}

WebBrowser::~WebBrowser() = default;

QString WebBrowser::locationUrl() const {
    return document_ ? document_->page().url().toString() : QString();
}

void WebBrowser::navigate(const QString& address) {
    // Pages need the GUI application's event loop and fonts; a program without one (a
    // headless test of something else) simply never gets a page.
    if (!qGuiApp) return;
    fetch_.start(
        QUrl(address.trimmed()), [this](FetchedPage page) { pageArrived(std::move(page)); },
        [this](FetchError) { navigationFailed(); });
}

void WebBrowser::pageArrived(FetchedPage page) {
    auto shown = std::make_shared<const PageDocument>(std::move(page));
    const QSize pixels = rectInContainer().size().toSize();
    form().forms().scheduler().dispatch([&] {
        document_ = std::make_shared<WebDocument>(shown);
        setPicture(forms::Picture(shown->render(pixels)));
        onDownloadComplete.raise();
        onDocumentComplete.raise();
    });
}

void WebBrowser::navigationFailed() {
    form().forms().scheduler().dispatch([&] { onNavigateError.raise(); });
}

void WebBrowser::pressAction(QPointF, int button) {
    if (button != kRightButton || !document_ || !document_->oncontextmenu) return;
    // Keep the document alive while its handler runs: the handler may navigate.
    const auto document = document_;
    document->oncontextmenu();
}

}  // namespace web
