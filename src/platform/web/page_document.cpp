#include "platform/web/page_document.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <algorithm>

#include "platform/forms/font.h"

namespace web {
namespace {

// Knows only what the page fetch brought: no local files, no style sheets, nothing fetched
// behind the fetch's back.
class PageTextDocument final : public QTextDocument {
  protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

}  // namespace

std::vector<QString> pictureNames(const QString& html) {
    PageTextDocument document;
    document.setHtml(html);
    std::vector<QString> names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            const QString name = format.toImageFormat().name();
            if (!name.isEmpty() && std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

PageDocument::PageDocument(FetchedPage page)
    : url_(page.url), document_(std::make_unique<PageTextDocument>()) {
    document_->setBaseUrl(page.url);
    // The hall's pages are Chinese: text without a font of its own is drawn as the table draws
    // its own, which also spares loading the system's Latin font for a few lines of a page.
    QFont font = document_->defaultFont();
    font.setFamily(forms::resolveFontFamily(QStringLiteral("宋体")));
    document_->setDefaultFont(font);
    // Pictures go in before the HTML so the first layout finds them; a picture the page names
    // but that did not come shows as nothing.
    for (auto& picture : page.pictures) {
        // The document looks pictures up by their address resolved against the page's.
        document_->addResource(QTextDocument::ImageResource, page.url.resolved(QUrl(picture.name)),
                               QVariant(picture.image));
    }
    document_->setHtml(page.html);
}

PageDocument::~PageDocument() = default;

QString PageDocument::title() const {
    return document_->metaInformation(QTextDocument::DocumentTitle);
}

QImage PageDocument::render(QSize pixels) const {
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    document_->setTextWidth(pixels.width());
    QPainter painter(&image);
    document_->drawContents(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

}  // namespace web
