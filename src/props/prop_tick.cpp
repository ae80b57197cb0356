// The props plug-in on the table tick and on TimerProp: its work items, the held settlement
// and the floating text.
#include <variant>

#include "chat/table_hooks.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/send_queue.h"
#include "platform/text/display_width.h"
#include "props/bao_show.h"
#include "props/props.h"
#include "props/work_items.h"
#include "table/table_layout.h"

namespace props {

namespace {

constexpr qsizetype kSystemLineChars = 45;

template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
// Spelled out for compilers without deduction for aggregates (clang before 17).
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

void RunWorkAction(client::Client& c, WorkAction action) {
    auto& form = *c.MainForm;
    std::visit(Overloaded{
                   [&](ChatLineItem& a) { AddPropChatLine(c, a.text); },
                   [&](FloatingText& a) { ShowPropText(c, a); },
                   [&](FrameItem& a) { connection::QueueOutgoingMessage(c.s, a.frame); },
                   [&](SeatClickItem& a) { form.Tou_Click(a.seat); },
                   [&](KeyItem& a) {
                       int keyCode = a.keyCode;
                       form.Pic1_KeyDown(keyCode, 0);
                   },
                   [&](SeatCardItem& a) { form.Tou_MouseMove(a.seat, 0, 0, 0, 0); },
               },
               action);
}

// The held settlement goes on: to the sheet, then the plug-in hears that it was shown.
void ShowHeldSettlementAndGoOn(client::Client& c) {
    ReleaseHeldSettlement(c);
    if (c.s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->InitShowNext(false);
}

}  // namespace

bool PropsPolling(client::Client& c) {
    auto& s = c.s;
    if (!s.g_bPropRunning) return true;
    if (s.g_nPropState > 0 && c.g_oPropDll) {
        const std::int16_t waiting = c.g_oPropDll->CheckSendBuff();
        for (std::int16_t i = 0; i < waiting; ++i) {
            // An earlier item can have unloaded the plug-in (by leaving the table, say).
            if (s.g_nPropState < 1 || !c.g_oPropDll) return false;
            c.propWork.g_nPropWorkType = -1;
            c.g_oPropDll->GetSendBuff(c.propWork);
            if (auto action = CheckWorkItem(c.propWork)) RunWorkAction(c, std::move(*action));
            c.propWork.g_sPropText.clear();
            c.propWork.g_aPropRect.clear();
            c.propWork.g_aPropStyle.clear();
        }
    }
    if (!s.g_bScorePending) return true;
    if (s.g_nPropState < 1) {
        s.g_bScorePending = false;
        ReleaseHeldSettlement(c);
        return false;
    }
    if (s.g_bPropScorePending) {
        if (!c.g_oPropDll ||
            c.g_oPropDll->GetScoreInfo(s.g_aScoreLines, s.g_aPrizeAmount, s.g_aPrizeInfo) != 1)
            return true;
        s.g_bPropScorePending = false;
        s.g_bScorePending = false;
        s.g_bBaoPicked = false;
        if (s.g_nPropState == 2) {
            PlayBaoXiang(c);
        } else {
            ShowHeldSettlementAndGoOn(c);
        }
        return true;
    }
    s.g_bScorePending = false;
    ShowHeldSettlementAndGoOn(c);
    return true;
}

void ShowPropText(client::Client& c, const FloatingText& t) {
    auto& form = *c.MainForm;
    auto& p = c.propShow;
    auto& label = form.LbProp;
    label.setVisible(false);
    label.move(float(t.rect[2]), float(t.rect[3]), float(t.rect[0]), float(t.rect[1]));
    label.setFontSize(float(t.style[2]));
    label.setForeColor(forms::OleColor(t.style[3]));
    label.setAlignment(forms::Alignment(t.style[4]));
    label.setCaption(t.text);
    label.setVisible(true);
    label.zOrder(0);
    if (t.style[0] >= 1 && t.style[1] >= 1) {
        form.TimerProp.setInterval(t.style[0]);
        p.g_nPropTextRepeat = std::int16_t(t.style[1]);
        p.g_nPropTextTicks = 0;
        p.g_bPropTextShown = true;
        form.TimerProp.setEnabled(true);
    }
}

void AddPropChatLine(client::Client& c, QString& text) {
    chat::AddChatHistoryLine(c, text);
    text = text.left(kSystemLineChars);
    table::AddSystemMessage(c, text);
}

std::int16_t TextShowLen(const QString& text) {
    int width = 0;
    for (QChar ch : text) width += platform::isSingleByteGbk(ch) ? 1 : 2;
    return std::int16_t(std::min(width, int(INT16_MAX)));
}

}  // namespace props

namespace client {

void MainForm::TimerProp_Timer() {
    TimerProp.setEnabled(false);
    auto& p = c.propShow;
    if (p.g_bBaoCounting) {
        props::CountUpTick(c);
        return;
    }
    if (!p.g_bPropTextShown) return;
    ++p.g_nPropTextTicks;
    if (p.g_nPropTextTicks >= p.g_nPropTextRepeat) {
        LbProp.setCaption({});
        LbProp.setVisible(false);
        p.g_nPropTextTicks = 0;
        p.g_bPropTextShown = false;
        return;
    }
    TimerProp.setEnabled(true);
}

}  // namespace client
