#include "chat/chat_window_look.h"

#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"
#include "platform/forms/units.h"

namespace chat {

namespace {

constexpr forms::OleColor kWindowColour = 0x402010;
constexpr float kMargin = 4;
constexpr float kTitleHeight = 20;
constexpr float kCloseWidth = 30;

float twips(float pixels) {
    return forms::pixelsToTwips(pixels);
}

}  // namespace

void DressChatWindow(forms::Form& window, const QString& caption, float width, float height,
                     forms::Label& close) {
    window.setCaption(caption);
    window.setBorderless(true);
    window.setBackColor(kWindowColour);
    window.setWidth(twips(width));
    window.setHeight(twips(height));
    close.setCaption(QStringLiteral("关闭"));
    close.setTransparent(true);
    close.setForeColor(forms::kWhite);
    close.setFontSize(9);
    close.move(twips(width - kCloseWidth - kMargin), twips(3), twips(kCloseWidth), twips(16));
}

void PlaceChatList(forms::Form& window, forms::ListBox& list) {
    const float width = forms::twipsToPixels(window.width());
    const float height = forms::twipsToPixels(window.height());
    list.move(twips(kMargin), twips(kTitleHeight), twips(width - 2 * kMargin),
              twips(height - kTitleHeight - kMargin));
    list.setFontName(QStringLiteral("宋体"));
    list.setFontSize(9);
}

}  // namespace chat
