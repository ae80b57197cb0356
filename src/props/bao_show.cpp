#include "props/bao_show.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "chat/table_hooks.h"
#include "client/client.h"
#include "client/main_form.h"
#include "connection/text_helpers.h"
#include "connection/waits.h"
#include "platform/runtime/conversions.h"
#include "props/props.h"
#include "table/table_layout.h"

namespace props {

namespace {

constexpr forms::OleColor kYellow = 0x00FFFF;
constexpr int kChestsPerSeat = 5;
constexpr int kSlideSteps = 5;
constexpr int kSlideStepMs = 37;
constexpr std::int16_t kCountdownSteps = 5;
const QString kPickPrompt = QStringLiteral("请选择一个宝箱打开");
const QString kWaitOthersPrompt = QStringLiteral("请等待其他玩家打开宝箱");
const QString kWaitPrompt = QStringLiteral("请等待玩家打开宝箱");

bool HasChest(client::Client& c, int chest) {
    return chest >= 0 && chest < 15 && c.MainForm->ImgProp.exists(chest);
}

void PlaceClosedChest(client::Client& c, int chest, bool enabled) {
    if (!HasChest(c, chest)) return;
    const BaoLayout& l = c.propShow.layout;
    forms::Image& img = c.MainForm->ImgProp[chest];
    img.move(float(l.g_aBaoPos[chest][0]), float(l.g_aBaoPos[chest][1]),
             float(l.g_aBaoClosedSize[0]), float(l.g_aBaoClosedSize[1]));
    img.setPicture(l.g_oBaoClosedPic);
    img.setVisible(true);
    img.setEnabled(enabled);
    img.zOrder(0);
}

std::int16_t DrawPick(client::Client& c) {
    return platform::toInteger(double(c.random.next()) * 4);
}

void ShowLabel(client::Client& c, int width, int height) {
    auto& label = c.MainForm->LbProp;
    const BaoLayout& l = c.propShow.layout;
    label.move(float(l.g_aBaoLabelPos[0]) - float(width) / 2, float(l.g_aBaoLabelPos[1]),
               float(width), float(height));
    label.setAlignment(forms::Alignment::Center);
    label.setForeColor(kYellow);
    label.setVisible(true);
}

// Slides a chest in five steps, letting other events run between them. False when the chest
// went away meanwhile (the plug-in was unloaded).
bool MoveImageSteps(client::Client& c, int chest, double x0, double y0, double x1, double y1) {
    const double dx = (x1 - x0) / kSlideSteps;
    const double dy = (y1 - y0) / kSlideSteps;
    for (int i = 1; i <= kSlideSteps; ++i) {
        if (!HasChest(c, chest)) return false;
        c.MainForm->ImgProp[chest].move(float(x0 + i * dx), float(y0 + i * dy));
        connection::DelayMs(c.sys.scheduler, kSlideStepMs);
    }
    return HasChest(c, chest);
}

void MoveBao(client::Client& c, int chest, bool toCentre, int seat) {
    if (!HasChest(c, chest)) return;
    const BaoLayout& l = c.propShow.layout;
    auto& chests = c.MainForm->ImgProp;
    if (toCentre) {
        chests[chest].setEnabled(false);
        const int first = kChestsPerSeat * (chest / kChestsPerSeat);
        for (int k = first; k < first + kChestsPerSeat; ++k) {
            if (k != chest && HasChest(c, k) && chests[k].visible()) {
                chests[k].setVisible(false);
                chests[k].setEnabled(false);
            }
        }
        const double x1 = std::nearbyint(l.g_aBaoCentre[0] - l.g_aBaoClosedSize[0] / 2.0);
        const double y1 = std::nearbyint(l.g_aBaoCentre[1] - l.g_aBaoClosedSize[1] / 2.0);
        if (MoveImageSteps(c, chest, chests[chest].left(), chests[chest].top(), x1, y1))
            chests[chest].setVisible(false);
        return;
    }
    forms::Image& img = chests[chest];
    const double x0 = l.g_aBaoCentre[0] - l.g_aBaoOpenSize[0] / 2.0;
    const double y0 = l.g_aBaoCentre[1] - l.g_aBaoOpenSize[1] / 2.0;
    img.move(float(x0), float(y0), float(l.g_aBaoOpenSize[0]), float(l.g_aBaoOpenSize[1]));
    img.setPicture(l.g_oBaoOpenPic);
    img.setVisible(true);
    MoveImageSteps(c, chest, x0, y0, l.g_aBaoSeatPos[seat][0], l.g_aBaoSeatPos[seat][1]);
}

QStringList PrizeLines(const QString& text) {
    return text.isEmpty() ? QStringList{} : text.split(u'|');
}

void HideDipai(client::MainForm& form) {
    for (int i = 0; i < 3; ++i) {
        if (form.imgDipai.exists(i)) form.imgDipai[i].setVisible(false);
    }
}

void PrepareLabel(client::Client& c) {
    auto& s = c.s;
    auto& p = c.propShow;
    auto& st = p.prize;
    st.step = {};
    st.amount = {};
    st.nameWidth = 0;
    for (int i = 0; i < 4; ++i) {
        p.g_aBaoNames[i] = s.g_aPrizeInfo[0][i];
        st.nameWidth = std::max<std::int32_t>(st.nameWidth, TextShowLen(p.g_aBaoNames[i]));
    }
    int lines = 0;
    double largest = 0;
    int widest = 0;
    for (int seat = 0; seat < 4; ++seat) {
        if (s.g_aPrizeAmount[seat] > 0) {
            st.step[seat] = float(s.g_aPrizeAmount[seat] / p.g_nBaoPrizeTicks);
            lines += 2;
            largest = std::max(largest, s.g_aPrizeAmount[seat]);
        }
        for (const QString& line : PrizeLines(s.g_aPrizeInfo[1][seat])) {
            ++lines;
            widest = std::max<int>(widest, TextShowLen(line));
        }
    }
    const int height = lines < 3 ? 50 : lines * 30;
    st.digitWidth = std::int32_t(PrizeText(largest).size());
    const int t = st.digitWidth + st.nameWidth;
    const int width = (t > widest ? t + 4 : widest + 4) * 14;
    c.MainForm->LbProp.setCaption({});
    ShowLabel(c, width, height);
    c.MainForm->LbProp.zOrder(0);
    HideDipai(*c.MainForm);
}

QString CountingText(client::Client& c) {
    auto& s = c.s;
    auto& p = c.propShow;
    QStringList lines;
    for (int seat = 0; seat < 4; ++seat) {
        if (s.g_aPrizeAmount[seat] == 0) continue;
        const double shown = std::floor(std::max(0.0f, p.prize.amount[seat]));
        lines << p.g_aBaoNames[seat] + connection::PadLeft(PrizeText(shown), p.prize.digitWidth) +
                     QStringLiteral("金币");
        p.prize.amount[seat] += p.prize.step[seat];
    }
    return lines.join(u'\n');
}

QString FinalText(client::Client& c) {
    auto& s = c.s;
    auto& p = c.propShow;
    QStringList lines;
    auto add = [&](const QString& line) {
        chat::AddChatHistoryLine(c, line);
        lines << line;
    };
    for (int seat = 0; seat < 4; ++seat) {
        if (s.g_aPrizeAmount[seat] != 0) {
            add(p.g_aBaoNames[seat] +
                connection::PadLeft(PrizeText(s.g_aPrizeAmount[seat]), p.prize.digitWidth) +
                QStringLiteral("金币"));
        }
        for (const QString& line : PrizeLines(s.g_aPrizeInfo[1][seat])) add(line);
    }
    const QString text = lines.join(u'\n');
    table::AddSystemMessage(c, text);
    return text;
}

}  // namespace

QString PrizeText(double prize) {
    if (std::isfinite(prize) && std::abs(prize) < 1e15 && prize == std::trunc(prize))
        return QString::number(std::int64_t(prize));
    return QString::number(prize, 'g', 15);
}

bool IsRewarded(const client::Client& c, int seat) {
    const auto& s = c.s;
    return !s.g_aPrizeInfo[0][seat].isEmpty() || !s.g_aPrizeInfo[1][seat].isEmpty() ||
           s.g_aPrizeAmount[seat] > 0;
}

void PlayBaoXiang(client::Client& c) {
    auto& s = c.s;
    auto& p = c.propShow;
    auto& form = *c.MainForm;
    form.LbProp.setCaption({});
    p.g_aBaoPick.fill(-1);
    bool anyone = false;
    for (int seat = 0; seat < 4; ++seat) anyone = anyone || IsRewarded(c, seat);
    if (!anyone) {
        ReleaseHeldSettlement(c);
        if (s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->InitShowNext(false);
        return;
    }
    QString prompt;
    if (IsRewarded(c, 0)) {
        for (int k = 0; k < kChestsPerSeat; ++k) PlaceClosedChest(c, k, true);
        prompt = kPickPrompt;
    } else {
        int n = 0;
        for (int l = 1; l <= 3; ++l) {
            if (!IsRewarded(c, l)) continue;
            for (int k = 0; k < kChestsPerSeat; ++k) PlaceClosedChest(c, 5 * n + k, false);
            p.g_aBaoPick[l] = std::int16_t(5 * n + DrawPick(c));
            ++n;
        }
        prompt = kWaitOthersPrompt;
    }
    ShowLabel(c, TextShowLen(prompt) * 14, 50);
    form.LbProp.setCaption(prompt + u'\n' + QString::number(kCountdownSteps));
    p.g_bPropTextShown = false;
    s.g_bBaoChoosing = true;
    s.g_nBaoTicks = 0;
    s.g_nBaoCountdown = kCountdownSteps;
}

void ChestCountdown(client::Client& c) {
    auto& s = c.s;
    auto& form = *c.MainForm;
    if (!s.g_bBaoChoosing) return;
    if (form.imgDipai[0].visible()) HideDipai(form);
    ++s.g_nBaoTicks;
    if (s.g_nBaoTicks < 20) return;
    s.g_nBaoTicks = 0;
    --s.g_nBaoCountdown;
    if (s.g_bBaoPicked) {
        s.g_bBaoChoosing = false;
    } else if (IsRewarded(c, 0)) {
        form.LbProp.setCaption(kPickPrompt + u'\n' + QString::number(s.g_nBaoCountdown));
        if (s.g_nBaoCountdown <= 0) {
            s.g_bBaoChoosing = false;
            std::int16_t pick = DrawPick(c);
            OpenBaoXiang(c, pick);
        }
    } else {
        form.LbProp.setCaption(kWaitPrompt + u'\n' + QString::number(s.g_nBaoCountdown));
        if (s.g_nBaoCountdown <= 2) {
            s.g_bBaoChoosing = false;
            std::int16_t others = -1;
            OpenBaoXiang(c, others);
        }
    }
}

void OpenBaoXiang(client::Client& c, std::int16_t& pick) {
    auto& s = c.s;
    auto& p = c.propShow;
    auto& form = *c.MainForm;
    if (pick == -1) {
        for (int l = 1; l <= 3; ++l) {
            if (p.g_aBaoPick[l] != -1) MoveBao(c, p.g_aBaoPick[l], true, 0);
        }
        // No local pick: no chest stays clickable, so the show cannot run a second time.
        form.ImgProp.forEach([](int, forms::Image& chest) {
            chest.setVisible(false);
            chest.setEnabled(false);
        });
    } else {
        if (pick < 0 || pick >= kChestsPerSeat) return;
        p.g_aBaoPick[0] = pick;
        MoveBao(c, pick, true, 0);
    }
    // The plug-in went away during the slide: unloading has ended the show.
    if (!s.g_bPropRunning) return;
    for (std::int16_t chest : p.g_aBaoPick) {
        if (chest != -1 && HasChest(c, chest)) {
            form.ImgProp[chest].setVisible(false);
            form.ImgProp[chest].setEnabled(false);
        }
    }
    if (s.g_nPropState == 2 && c.g_oPropDll) c.g_oPropDll->ShowGif(1, true);
    form.TimerProp.setInterval(p.layout.g_aBaoTiming[0]);
    p.g_nBaoPrizeTick = 0;
    p.g_bBaoCounting = true;
    p.g_bPropTextShown = false;
    p.g_nBaoPrizeTicks = p.layout.g_aBaoTiming[1];
    ShowBaoPrize(c, -1);
    form.TimerProp.setEnabled(true);
}

void ShowBaoPrize(client::Client& c, std::int16_t tick) {
    auto& form = *c.MainForm;
    if (tick == -1) {
        PrepareLabel(c);
        return;
    }
    const QString text = tick < c.propShow.g_nBaoPrizeTicks ? CountingText(c) : FinalText(c);
    form.LbProp.setCaption(text);
    form.LbProp.zOrder(0);
}

void CountUpTick(client::Client& c) {
    auto& s = c.s;
    auto& p = c.propShow;
    auto& form = *c.MainForm;
    ++p.g_nBaoPrizeTick;
    if (p.g_nBaoPrizeTick < p.g_nBaoPrizeTicks) {
        ShowBaoPrize(c, p.g_nBaoPrizeTick);
        form.TimerProp.setEnabled(true);
        return;
    }
    p.g_bBaoCounting = false;
    p.g_nBaoPrizeTick = 0;
    ShowBaoPrize(c, p.g_nBaoPrizeTicks);
    if (s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->ShowGif(1, false);
    if (p.g_aBaoPick[0] != -1) {
        MoveBao(c, p.g_aBaoPick[0], false, 0);
    } else {
        for (int l = 1; l <= 3; ++l) {
            if (p.g_aBaoPick[l] != -1) MoveBao(c, p.g_aBaoPick[l], false, l);
        }
    }
    const bool held = p.settlementHeld;
    ReleaseHeldSettlement(c);
    if (held && s.g_nPropState > 0 && c.g_oPropDll) c.g_oPropDll->InitShowNext(false);
}

void EndBaoShow(client::Client& c) {
    c.s.g_bBaoChoosing = false;
    c.propShow.g_bBaoCounting = false;
    c.propShow.g_nBaoPrizeTick = 0;
}

}  // namespace props

namespace client {

void MainForm::ImgProp_Click(int Index) {
    auto& s = c.s;
    // Only while the countdown waits for the local pick: a click after the show went on
    // without one would run it, and hand the settlement over, a second time.
    if (s.g_nPropState != 2 || s.g_bBaoPicked || !s.g_bBaoChoosing) return;
    if (Index < 0 || Index > 4 || !props::IsRewarded(c, 0)) return;
    s.g_bBaoPicked = true;
    std::int16_t pick = std::int16_t(Index);
    props::OpenBaoXiang(c, pick);
}

}  // namespace client
