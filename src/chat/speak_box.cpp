#include "chat/speak_box.h"

#include <memory>

#include "chat/bubble_shape.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "platform/forms/color.h"
#include "platform/forms/units.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/failure.h"
#include "resources/design_names.h"

namespace chat {

namespace {

using platform::skipFailure;

const std::array<resources::design::DesignPicture, 5> kBubblePictures{
    resources::design::kSpeakBox0, resources::design::kSpeakBox1, resources::design::kSpeakBox2,
    resources::design::kSpeakBox3, resources::design::kSpeakBox4};

// Where the bubbles of the left and right seats stand: a little below the top of the table
// picture.
float SideSeatTop(client::Client& c) {
    const auto& table = *c.MainForm;
    return table.top() + table.Pic1.top() + 0.11f * table.Pic1.height() + 80 * c.s.g_fScaleY;
}

}  // namespace

frmSpeakBox::frmSpeakBox(forms::Forms& forms, client::Client& client) : Form(forms), c(client) {
    setCaption(QString::fromLatin1(kCaption));
    setBorderless(true);
    for (std::size_t i = 0; i < kBubblePictures.size(); ++i) {
        auto& picture = imgSpeakBox[int(i)];
        picture.setVisible(false);
        picture.setPicture(connection::DesignPicture(kBubblePictures[i]));
    }
    picSplash.setVisible(false);
    labPhrase.setTransparent(true);
    labPhrase.setFontName(QStringLiteral("宋体"));
    labPhrase.setFontSize(9);
    labPhrase.setForeColor(0x204080);
    tmrFadeIn.onTimer.bind(this, &frmSpeakBox::tmrFadeIn_Timer);
}

void frmSpeakBox::showMe(std::int16_t seat, const QString& phrase, std::int16_t perc,
                         std::int16_t fadeIn, std::int16_t fadeOut, std::int16_t showTime) {
    const auto& table = *c.MainForm;
    const float sx = c.s.g_fScaleX;
    const float sy = c.s.g_fScaleY;
    switch (seat) {
        case 0:
            move(table.left() + 1500 * sx, table.top() + 8550 * sy);
            break;
        case 1:
            move(table.left() + (1050 - 400) * sx, SideSeatTop(c));
            break;
        case 2:
            move(table.left() + 6150 * sx, table.top() + 1050 * sy);
            break;
        case 3:
            move(table.left() + (11175 - 400) * sx, SideSeatTop(c));
            break;
        default:
            break;
    }
    m_nPerc = perc;
    m_nFadeIn = fadeIn;
    m_nFadeOut = fadeOut;
    m_nShowTime = showTime;
    m_nSeat = seat;
    labPhrase.setCaption(phrase);
    tmrFadeIn.setEnabled(true);
    m_nCounter = 0;
}

void frmSpeakBox::tmrFadeIn_Timer() {
    m_nCounter = platform::checkedInteger(std::int64_t{m_nCounter} + m_nFadeIn);
    if (m_nCounter < m_nPerc) SetWindowAlpha(*this, m_nCounter);
    if (m_nCounter > std::int64_t{m_nPerc} + m_nShowTime) {
        m_nPerc = platform::checkedInteger(std::int64_t{m_nPerc} - m_nFadeOut);
        SetWindowAlpha(*this, m_nPerc);
        if (m_nPerc <= 1) {
            tmrFadeIn.setEnabled(false);
            labPhrase.setCaption({});
            // Parked off the screen: the lower seats to the left, the upper ones above.
            if (m_nSeat == 0 || m_nSeat == 1) {
                setLeft(-2 * width());
            } else {
                setTop(-2 * height());
            }
        }
    }
}

QString SpeakBoxTag(int seat) {
    return QString::number(seat) + QStringLiteral("speak");
}

std::vector<forms::Form*> OpenSpeakBoxes(client::Client& c) {
    std::vector<forms::Form*> boxes;
    for (forms::Form* form : c.forms.openForms()) {
        if (form->caption() == QLatin1String(frmSpeakBox::kCaption)) boxes.push_back(form);
    }
    return boxes;
}

frmSpeakBox* FindSpeakBox(client::Client& c, int seat) {
    const QString tag = SpeakBoxTag(seat);
    for (forms::Form* form : c.forms.openForms()) {
        if (form->tag() == tag) return dynamic_cast<frmSpeakBox*>(form);
    }
    return nullptr;
}

bool MakeSpeakBoxShape(frmSpeakBox& form, std::int16_t seat, std::int32_t transColor) {
    const QString tag = SpeakBoxTag(seat);
    for (forms::Form* open : form.forms().openForms()) {
        if (open->tag() == tag) return false;
    }
    form.setTag(tag);
    skipFailure([&] {
        form.picSplash.setAutoSize(true);
        form.picSplash.setPicture(form.imgSpeakBox[seat].picture());
    });
    skipFailure([&] { form.setPicture(form.picSplash.picture()); });
    skipFailure([&] { form.hide(); });
    skipFailure([&] {
        const QSize size = form.picSplash.picture().size();
        form.setWidth(forms::pixelsToTwips(float(size.width())));
        form.setHeight(forms::pixelsToTwips(float(size.height())));
    });
    std::optional<QRgb> transparent;
    skipFailure([&] {
        if (transColor >= 1) {
            transparent = forms::toQColor(forms::OleColor(transColor)).rgb();
        } else if (const auto corner = form.point(0, 0)) {
            transparent = forms::toQColor(*corner).rgb();
        }
    });
    skipFailure([&] {
        // Without a drawing there is nothing to cut the window to: it stays a rectangle.
        const QImage& drawing = form.surface().image();
        if (drawing.isNull() || !transparent) {
            platform::fail(platform::RuntimeFailure::Kind::ControlFailed, "No picture to shape");
        }
        form.setRegion(BubbleShape(drawing, *transparent));
    });
    skipFailure([&] { form.picSplash.setPicture({}); });
    return true;
}

void InitSpeakBox(client::Client& c, std::int16_t seat) {
    auto made = std::make_unique<frmSpeakBox>(c.forms, c);
    if (!MakeSpeakBoxShape(*made, seat, 0)) return;  // the seat has its bubble already
    frmSpeakBox& box = c.forms.load(std::move(made));
    const auto& table = *c.MainForm;
    const float sx = c.s.g_fScaleX;
    const float sy = c.s.g_fScaleY;
    skipFailure([&] { box.labPhrase.setCaption(QStringLiteral("  ")); });
    skipFailure([&] {
        const float w = box.width();
        const float h = box.height();
        switch (seat) {
            case 0:
                box.move(-w, table.top() + 8550 * sy);
                box.labPhrase.move(260 * sx, 190 * sy);
                break;
            case 1:
                box.move(-w - 400 * sx, SideSeatTop(c));
                box.labPhrase.move(510 * sx, 665 * sy);
                break;
            case 2:
                box.move(table.left() + 6150 * sx, -h);
                box.labPhrase.move(450 * sx, 620 * sy);
                break;
            case 3:
                box.move(table.left() + (11175 - 400) * sx, SideSeatTop(c));
                box.labPhrase.move(430 * sx, 705 * sy);
                break;
            default:
                break;
        }
        // The phrase wraps inside the bubble's body.
        box.labPhrase.setWidth(std::max(0.0f, w - box.labPhrase.left() - 300 * sx));
        box.labPhrase.setHeight(std::max(0.0f, h - box.labPhrase.top() - 150 * sy));
    });
    skipFailure([&] { SetWindowTopMost(box, true); });
    skipFailure([&] { box.show(); });
}

bool SetWindowAlpha(forms::Form& window, int alpha) {
    return window.setAlpha(alpha);
}

void SetWindowTopMost(forms::Form& window, bool topmost) {
    window.setTopmost(topmost);
}

}  // namespace chat
