#include "table/table_design.h"

#include <QPainter>
#include <QPolygonF>
#include <array>

#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "platform/forms/input.h"
#include "resources/design_names.h"
#include "resources/resource_store.h"

namespace table {

namespace {

namespace design = resources::design;

constexpr forms::OleColor kNameInk = 0x00FFFF;  // yellow
constexpr forms::OleColor kLabelInk = forms::kWhite;
constexpr forms::OleColor kTooltipBack = 0xE1FFFF;  // pale yellow

constexpr int kDesignWidthPixels = 1024;
constexpr int kDesignHeightPixels = 768;

// Built-in pictures decode when first drawn, so the window's design costs nothing at load.
forms::Picture PictureFrom(std::optional<std::span<const std::uint8_t>> bytes) {
    if (!bytes) return {};
    return forms::Picture::fromEmbedded(QByteArray::fromRawData(
        reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())));
}

using connection::DesignPicture;

forms::Picture NumberedPicture(int id) {
    return PictureFrom(resources::findResource("GIF", id));
}

// The pane buttons' cursor: a monochrome 32 x 32 pointing hand, the fingertip at (12, 4).
forms::Picture PointingHand() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    const QPolygonF hand{{10, 4},  {14, 4},  {14, 13}, {17, 12}, {20, 13}, {23, 14}, {25, 16},
                         {25, 24}, {22, 28}, {12, 28}, {6, 21},  {6, 17},  {8, 16},  {10, 18}};
    p.drawPolygon(hand);
    p.drawLine(QPointF(17, 12), QPointF(17, 18));
    p.drawLine(QPointF(20, 13), QPointF(20, 18));
    return forms::Picture(std::move(image));
}

void DressSeatPanels(client::MainForm& form) {
    form.Tou[0].setStretch(true);
    form.Nid[0].move(0, 0, 161, 25);
    form.Nid[0].setFontSize(11);
    form.Nid[0].setFontBold(true);
    form.Nid[0].setForeColor(kNameInk);
    form.Cash[0].move(0, 0, 161, 17);
    form.Level[0].move(0, 0, 161, 17);
    for (forms::Label* label : {&form.Nid[0], &form.Cash[0], &form.Level[0]}) {
        label->setTransparent(true);
        if (label != &form.Nid[0]) {
            label->setFontSize(9);
            label->setForeColor(kLabelInk);
        }
    }
    form.OK[0].setPicture(NumberedPicture(280));
    form.first[0].setPicture(NumberedPicture(360));
    for (forms::Image* mark : {&form.OK[0], &form.first[0]}) {
        mark->setStretch(true);
        mark->move(0, 0, 70, 29);
        mark->setVisible(false);
    }
    form.shou[0].setVisible(false);
    form.Img_bao_shuai[0].setStretch(true);
    form.Img_bao_shuai[0].setVisible(false);
    for (int k = 0; k < 4; ++k) form.Speak[k].setVisible(false);
    form.Words.setVisible(false);
    form.Words.setTransparent(true);

    form.imgLocation.setPicture(DesignPicture(design::kBanner));
    form.Location.setTransparent(true);
    form.Location.setFontSize(12);
    form.Location.setForeColor(kLabelInk);
    form.Location.move(form.Location.left(), form.Location.top(), 201, 25);
    // The toolbar, the quick-phrase buttons and the bank keep the sizes the layout gives them
    // whatever their pictures measure.
    for (forms::Image* button : {&form.AnNiu[0], &form.imgword1, &form.imgword2}) {
        button->setStretch(true);
    }
    form.Bank.setPicture(NumberedPicture(600));
    form.Bank.setStretch(true);
    form.Bank.move(0, 0, 60, 29);
}

void DressPlayArea(client::MainForm& form) {
    form.Time_Img.setPicture(DesignPicture(design::kClock));
    form.Time_Img.setStretch(true);
    form.Time_Img.setVisible(false);
    form.Number.setVisible(false);
    form.Number.setTransparent(true);
    form.Number.setFontBold(true);
    form.Number.setFontSize(14);
    form.Number.setForeColor(kNameInk);
    for (auto* one : {&form.Operation[0], &form.btnJiaofen[0], &form.xuan_img[0]}) {
        one->setStretch(true);
        one->setVisible(false);
    }
    form.imgfanshu.setPicture(DesignPicture(design::kFanshu));
    form.imgfanshu.setVisible(false);
    form.lblfanshu.setVisible(false);
    form.lblfanshu.setTransparent(true);
    // The deal and the declarations set only its text and font: it takes the size of the text.
    form.lblfanshu.setAutoSize(true);
    for (int k = 0; k < 3; ++k) {
        form.shanImage[k].setStretch(true);
        form.shanImage[k].setVisible(false);
    }
    // Card faces come in one size per layout; the other seats show them smaller.
    for (auto* cards : {&form.cardImage0, &form.cardImage1, &form.cardImage2, &form.cardImage3}) {
        (*cards)[0].setStretch(true);
        (*cards)[0].setVisible(false);
    }
    form.imgDipai[0].setStretch(true);
    form.imgDipai[0].move(344, 120, 73, 97);
    form.imgDipai[0].setVisible(false);

    form.Lbchat.setTransparent(true);
    form.Lbchat.setToolTipText(QStringLiteral("聊天记录"));

    form.Imgwealth.setPicture(DesignPicture(design::kWealth));
    form.Imgwealth.setVisible(false);
    form.lbwealth.setTransparent(true);
    form.lbwealth.setForeColor(kNameInk);
    form.lbwealth.setAutoSize(true);
    form.lbwealth.setVisible(false);
    form.lbfont[1].setCaption(QStringLiteral("最少金币定倍数"));
    form.lbfont[2].setCaption(QStringLiteral("个人金币数封顶"));
    for (int k = 0; k < 3; ++k) {
        form.lbfont[k].setTransparent(true);
        form.lbfont[k].setForeColor(kLabelInk);
        form.lbfont[k].setAutoSize(true);
        form.lbfont[k].setVisible(false);
    }
    form.LblShuffle.setTransparent(true);
    form.ImgShuffle.setPicture(DesignPicture(design::kShuffle));

    form.Bird.setPicture(DesignPicture(design::kBird));
    form.Bird.setStretch(true);
    // The web pane lies over its picture; it stays hidden until it has a page to show.
    form.WebBrowser1.setVisible(false);
    form.WebBrowser2.setVisible(false);
    form.ImgProp[0].setVisible(false);
    form.ImgProp[0].setStretch(true);
    form.LbProp.setVisible(false);
    form.LbProp.setTransparent(true);
    form.LbProp.setFontName(QStringLiteral("宋体"));
    form.LbProp.setFontSize(15);
    form.LbProp.setFontBold(true);
}

void DressVideoPanes(client::MainForm& form) {
    for (int k = 1; k <= 3; ++k) {
        form.ImgKuang[k].setPicture(DesignPicture(design::kVideoFrame));
        form.ImgKuang[k].setStretch(true);
        form.ImgShow[k].setPicture(DesignPicture(design::kReopenPane));
    }
    for (int k = 0; k < 4; ++k) {
        form.PicLocal[k].setScaleMode(forms::ScaleMode::Pixels);
        form.PicLocal[k].setPicture(
            DesignPicture(k == 0 ? design::kPaneBarLocal : design::kPaneBarRemote));
    }
    // Bar 0: album, zoom, photo, music box; bars 1 to 3: close, zoom, photo, add friend.
    constexpr std::array<float, 4> kLocalLefts{3.33f, 24, 40, 64};
    constexpr std::array<float, 4> kRemoteLefts{8, 40, 72, 104};
    constexpr std::array<int, 4> kLocalPictures{863, 851, 852, 853};
    constexpr std::array<int, 4> kRemotePictures{850, 851, 852, 858};
    const std::array<QString, 4> kRemoteTips{QStringLiteral("屏蔽"), QStringLiteral("放大"),
                                             QStringLiteral("照相"), QStringLiteral("加为好友")};
    for (int k = 0; k < 16; ++k) {
        const int bar = k / 4, slot = k % 4;
        forms::Image& button = form.ImCmd[k];
        button.setPicture(NumberedPicture(bar == 0 ? kLocalPictures[slot] : kRemotePictures[slot]));
        button.move(bar == 0 ? kLocalLefts[slot] : kRemoteLefts[slot], 0, 16, 14);
        if (bar > 0) button.setToolTipText(kRemoteTips[slot]);
    }
    form.ImCmd[0].setMouseIcon(PointingHand());
    form.ImCmd[0].setMousePointer(forms::pointer::Custom);
    form.Proponeself.setTransparent(true);
    // The local buttons' tooltip: one line on the pale yellow of a tooltip, the same height on
    // both layouts; the buttons' handlers give it its text, width and place.
    form.Tiplbl.move(0, 0, 28, 14);
    form.Tiplbl.setVisible(false);
    form.Tiplbl.setLocked(true);
    form.Tiplbl.setBackColor(kTooltipBack);
    form.Tiplbl.setForeColor(forms::kBlack);
    form.Tiplbl.setFontName(QStringLiteral("宋体"));
    form.Tiplbl.setFontSize(8);
}

}  // namespace

void DressTableWindow(client::MainForm& form) {
    // The window is designed at the table's own size: start-up fixes only the dimensions the
    // screen leaves room to frame, and the frame drawn after the height alone must already see
    // the table's width.
    form.move(form.left(), form.top(), kDesignWidthPixels * 15.0f, kDesignHeightPixels * 15.0f);
    DressSeatPanels(form);
    DressPlayArea(form);
    DressVideoPanes(form);
    DressSkinFrame(form);
    DressWebPanes(form);
}

}  // namespace table
