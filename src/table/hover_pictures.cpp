// Hover pictures of the table's buttons and the wealth tooltip. Image controls report the
// mouse over themselves but never its leaving, so a button only enters its hover picture here;
// the normal pictures come back when the mouse crosses the table picture or the strip behind
// the bottom panel.
#include "table/hover_pictures.h"

#include "client/client.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "props/props.h"
#include "settlement/information_window.h"

namespace table {

namespace {

constexpr int kReadyButton = 2;
constexpr int kPassButton = 2;
constexpr float kFloatLift = 5;
// The quick-phrase buttons' pictures and the bank button's normal picture.
constexpr std::int16_t kWord1Normal = 506;
constexpr std::int16_t kWord2Normal = 507;
constexpr std::int16_t kWord1Hover = 508;
constexpr std::int16_t kWord2Hover = 509;
constexpr std::int16_t kBankNormal = 600;

std::int16_t IdOf(const QString& entry) {
    return connection::IntegerArg(entry).toInteger();
}

// The temp-file pattern; a picture that cannot be written leaves the button as it is.
void ShowId(client::Client& c, std::int16_t id, forms::Image& button) {
    connection::ShowResourcePicture(c, id, button);
}

bool ReadyStart(const state::SharedState& s) {
    return ReadyShowsStart(s.g_nHandCount, s.g_bReadyPending);
}

void RestoreBank(client::Client& c) {
    client::MainForm& form = *c.MainForm;
    if (!form.m_bBankHover) return;
    form.m_bBankHover = false;
    ShowId(c, kBankNormal, form.Bank);
}

void PutDownFloatingCard(client::Client& c) {
    state::SharedState& s = c.s;
    if (s.RecordUpNumber < 0) return;
    forms::Image& card = c.MainForm->cardImage0[s.RecordUpNumber];
    switch (FloatingCardFate(card.top(), s.g_nFloatBaseTop)) {
        case FloatingCard::PutDown:
            card.setTop(s.g_nFloatBaseTop);
            s.RecordUpNumber = -1;
            break;
        case FloatingCard::Forget:
            s.RecordUpNumber = -1;
            break;
        case FloatingCard::KeepRecord:
            break;
    }
}

void SetWealthTip(client::Client& c) {
    client::MainForm& form = *c.MainForm;
    if (c.s.beishu == 0) return;
    const QString tip = QStringLiteral("财富加倍 ×") + form.lbwealth.caption();
    form.Imgwealth.setToolTipText(tip);
    form.lbwealth.setToolTipText(tip);
}

}  // namespace

bool ReadyShowsStart(int handCount, bool readyPending) {
    return handCount < 1 && readyPending;
}

int AnNiuHoverElement(int i, bool readyStart) {
    if (i == kReadyButton) return readyStart ? 5 : 7;
    return i < kReadyButton ? 2 * i + 1 : 2 * i + 3;
}

int AnNiuNormalElement(int i, bool readyStart) {
    if (i == kReadyButton) return readyStart ? 4 : 6;
    return i < kReadyButton ? 2 * i : 2 * i + 2;
}

std::optional<int> OperationHoverElement(int j) {
    if (j == kPassButton) return std::nullopt;
    return j < kPassButton ? 3 * j + 1 : 2 * j + 4;
}

int OperationNormalElement(int j) {
    return j <= kPassButton ? 3 * j : 2 * j + 3;
}

std::optional<int> JiaofenHoverElement(int kind) {
    if (kind < 1 || kind > 9) return std::nullopt;
    return 2 * kind - 1;
}

FloatingCard FloatingCardFate(float top, float floatBaseTop) {
    if (top == floatBaseTop - kFloatLift) return FloatingCard::PutDown;
    return top < kPutDownLine ? FloatingCard::Forget : FloatingCard::KeepRecord;
}

}  // namespace table

namespace client {
using namespace table;

void MainForm::AnNiu_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    bool& hover = c.s.g_aAnNiuHover.at(static_cast<std::size_t>(Index));
    if (hover) return;
    hover = true;
    const int element = AnNiuHoverElement(Index, ReadyStart(c.s));
    ShowId(c, IdOf(c.ids.g_aIdAnNiu.at(static_cast<std::size_t>(element))), AnNiu[Index]);
}

void MainForm::Operation_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    bool& hover = c.s.g_aOperationHover.at(static_cast<std::size_t>(Index));
    if (hover) return;
    hover = true;
    const auto element = OperationHoverElement(Index);
    if (!element) return;
    ShowId(c, IdOf(c.ids.g_aIdOperation.at(static_cast<std::size_t>(*element))), Operation[Index]);
}

void MainForm::btnJiaofen_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    state::SharedState& s = c.s;
    // One declaration button at a time shows its hover picture.
    if (!s.g_bJiaofenHoverReset) return;
    s.g_bJiaofenHoverReset = false;
    s.g_nJiaofenHoverIndex = static_cast<std::int16_t>(Index);
    const auto element = JiaofenHoverElement(s.g_aJiaofenKind.at(static_cast<std::size_t>(Index)));
    if (!element) return;
    const std::int16_t id = IdOf(c.ids.g_aIdJiaofen.at(static_cast<std::size_t>(*element)));
    connection::LoadResourcePicture(c, id, QStringLiteral("GIF"),
                                    connection::TempPicturePath(c, id), btnJiaofen[Index],
                                    static_cast<std::int16_t>(Index));
    s.g_nJiaofenHoverId = id;
}

void MainForm::imgword1_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    if (c.s.g_bWord1Hover) return;
    c.s.g_bWord1Hover = true;
    ShowId(c, kWord1Hover, imgword1);
}

void MainForm::imgword2_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    if (c.s.g_bWord2Hover) return;
    c.s.g_bWord2Hover = true;
    ShowId(c, kWord2Hover, imgword2);
}

void MainForm::Pic1_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    state::SharedState& s = c.s;
    RestoreBank(c);
    for (int i = 0; i < static_cast<int>(s.g_aAnNiuHover.size()); ++i) {
        if (!s.g_aAnNiuHover[i]) continue;
        s.g_aAnNiuHover[i] = false;
        const int element = AnNiuNormalElement(i, ReadyStart(s));
        ShowId(c, IdOf(c.ids.g_aIdAnNiu[static_cast<std::size_t>(element)]), AnNiu[i]);
    }
    for (int j = 0; j < static_cast<int>(s.g_aOperationHover.size()); ++j) {
        if (!s.g_aOperationHover[j]) continue;
        s.g_aOperationHover[j] = false;
        const int element = OperationNormalElement(j);
        ShowId(c, IdOf(c.ids.g_aIdOperation[static_cast<std::size_t>(element)]), Operation[j]);
    }
    if (c.Information->visible()) c.Information->hide();
    PutDownFloatingCard(c);
    s.NumberClick = -1;
    if (!s.g_bJiaofenHoverReset) {
        s.g_bJiaofenHoverReset = true;
        const std::int16_t index = s.g_nJiaofenHoverIndex;
        // Nothing was recorded before the first declaration button was entered.
        if (s.g_nJiaofenHoverId > 0) {
            const std::int16_t id = static_cast<std::int16_t>(s.g_nJiaofenHoverId - 1);
            connection::LoadResourcePicture(c, id, QStringLiteral("GIF"),
                                            connection::TempPicturePath(c, id), btnJiaofen[index],
                                            index, s.g_aJiaofenKind.at(std::size_t(index)));
        }
    }
    props::ReleasePlayerVideo(c);
}

void MainForm::imgLocation_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    state::SharedState& s = c.s;
    RestoreBank(c);
    if (s.g_bWord1Hover) {
        s.g_bWord1Hover = false;
        ShowId(c, kWord1Normal, imgword1);
        imgword1.zOrder(0);
    }
    if (s.g_bWord2Hover) {
        s.g_bWord2Hover = false;
        ShowId(c, kWord2Normal, imgword2);
        imgword2.zOrder(0);
    }
    PutDownFloatingCard(c);
    s.NumberClick = -1;
}

void MainForm::Imgwealth_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    SetWealthTip(c);
}

void MainForm::lbwealth_MouseMove(int Button, int Shift, float X, float Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
    SetWealthTip(c);
}

// A player's gold, level and name labels open the same card as the avatar.
void MainForm::Cash_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    Tou_MouseMove(Index, Button, Shift, X, Y);
}

void MainForm::Level_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    Tou_MouseMove(Index, Button, Shift, X, Y);
}

void MainForm::Nid_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    Tou_MouseMove(Index, Button, Shift, X, Y);
}

}  // namespace client
