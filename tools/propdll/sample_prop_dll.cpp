// A small props game for the table client to load: the sample plug-in of the tests and of
// `./dev run`. It shows every kind of work item and offers treasure chests.
//
// Its frames (its own choice, as any plug-in's):
// - MsgPropAction (45): byte 16 a work type 0..5, bytes 20.. a NUL-ended UTF-8 text; the item
//   is queued as it comes (type 2 sends the frame back to the server unchanged).
// - MsgPropScore (46): bytes 16 + 4k (k = relative seat 0..3) a big-endian 32-bit prize; a seat
//   with a prize is rewarded with a named chest, and seat k's prize lines name the game.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <deque>
#include <mutex>
#include <string>

#include "props/prop_dll.h"

namespace {

constexpr std::uint8_t kPropAction = 45;
constexpr std::uint8_t kPropScore = 46;
constexpr std::size_t kBody = 16;
constexpr std::size_t kText = 20;

// Every member call, one line each, for the tests to read through SamplePropDllCalls.
std::string& CallLog() {
    static std::string log;
    return log;
}
void Log(const QString& call) {
    CallLog() += call.toStdString();
    CallLog() += '\n';
}

QImage Chest(int width, int height, bool open) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0, 96, 48));  // the table's green, so the box stands on it
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor wood(139, 69, 19);
    const QColor gold(255, 200, 40);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(wood);
    p.drawRect(4, height / 3, width - 8, height * 2 / 3 - 4);
    if (open) {
        p.drawRect(4, 2, width - 8, height / 4);
        p.setBrush(gold);
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(10 + i * (width - 24) / 4, height / 3 - 6, 12, 12);
    } else {
        p.drawRoundedRect(4, 4, width - 8, height / 3, 8, 8);
        p.setBrush(gold);
        p.drawRect(width / 2 - 6, height / 3 - 4, 12, 14);
    }
    return image;
}

class SamplePropDll final : public props::PropDll {
  public:
    bool Initdll(QString& account, QString&, const QString& kind, std::uint64_t,
                 const QString& game, props::PropDll&, std::optional<std::int32_t>,
                 std::int16_t& layout, std::int16_t&) override {
        Log(QStringLiteral("Initdll %1 %2 %3 %4").arg(account, kind, game).arg(layout));
        reduced_ = layout == 2;
        Chat(QStringLiteral("道具系统已连接"));
        props::PropWorkItem text;
        text.g_nPropWorkType = 1;
        text.g_sPropText = QStringLiteral("欢迎来到道具乐园");
        text.g_aPropRect = {300, 30, 362, 250};
        text.g_aPropStyle = {100, 20, 15, 0x00FFFF, 2};
        queue_.push_back(text);
        return true;
    }
    bool GetBaoInfo(props::BaoInfo& l) override {
        Log(QStringLiteral("GetBaoInfo"));
        l.g_aBaoPos.clear();
        for (int group = 0; group < 3; ++group) {
            for (int k = 0; k < 5; ++k) l.g_aBaoPos.push_back({352 + 68 * k, 460 - 70 * group});
        }
        l.g_aBaoCentre = {512, 330};
        l.g_aBaoSeatPos = {{{120, 620}}, {{60, 130}}, {{400, 130}}, {{745, 130}}};
        l.g_aBaoLabelPos = {512, 170};
        l.g_aBaoTiming = {80, 20};
        l.g_oBaoClosedPic = Chest(60, 50, false);
        l.g_aBaoClosedSize = {60, 50};
        l.g_oBaoOpenPic = Chest(80, 64, true);
        l.g_aBaoOpenSize = {80, 64};
        return true;
    }
    bool SetUserinfo(QString& nickname, QString&, std::uint8_t&, std::int16_t& seat, bool,
                     std::uint8_t&, QString&, QString&) override {
        Log(QStringLiteral("SetUserinfo %1 %2").arg(nickname).arg(seat));
        if (seat >= 0 && seat <= 3) names_[seat] = nickname;
        return true;
    }
    void ClearUser(std::int16_t seat) override {
        Log(QStringLiteral("ClearUser %1").arg(seat));
        if (seat >= 0 && seat <= 3) names_[seat].clear();
    }
    void Rec_MSG(state::Frame& m) override {
        Log(QStringLiteral("Rec_MSG %1").arg(int(m[state::FrameTypeByte])));
        if (m[state::FrameTypeByte] == kPropAction) {
            props::PropWorkItem item;
            item.g_nPropWorkType = m[kBody];
            std::size_t end = kText;
            while (end < m.size() && m[end] != 0) ++end;
            item.g_sPropText =
                QString::fromUtf8(reinterpret_cast<const char*>(&m[kText]), qsizetype(end - kText));
            if (item.g_nPropWorkType == 1) {
                item.g_aPropRect = {300, 30, 362, 250};
                item.g_aPropStyle = {100, 20, 15, 0x00FFFF, 2};
            }
            if (item.g_nPropWorkType == 2) item.g_aPropBytes.assign(m.begin(), m.end());
            queue_.push_back(item);
        } else if (m[state::FrameTypeByte] == kPropScore) {
            for (int k = 0; k < 4; ++k) {
                const std::size_t at = kBody + 4 * k;
                prizes_[k] =
                    std::int32_t(std::uint32_t(m[at]) << 24 | std::uint32_t(m[at + 1]) << 16 |
                                 std::uint32_t(m[at + 2]) << 8 | m[at + 3]);
            }
            scoreReady_ = true;
        }
    }
    std::int16_t CheckSendBuff() override { return std::int16_t(queue_.size()); }
    void GetSendBuff(props::PropWorkItem& item) override {
        if (queue_.empty()) return;
        item = queue_.front();
        queue_.pop_front();
    }
    std::int16_t GetScoreInfo(props::ScoreLines& lines, props::PrizeAmounts& prizes,
                              props::PrizeInfo& info) override {
        Log(QStringLiteral("GetScoreInfo"));
        if (!scoreReady_) return 0;
        scoreReady_ = false;
        for (int k = 0; k < 4; ++k) {
            prizes[k] = prizes_[k];
            lines[k].clear();
            info[0][k].clear();
            info[1][k].clear();
            if (prizes_[k] == 0) continue;
            const QString who = names_[k].isEmpty() ? QStringLiteral("玩家%1").arg(k) : names_[k];
            info[0][k] = who + QStringLiteral("：");
            info[1][k] = QStringLiteral("%1开出了宝箱").arg(who);
            lines[k] = QStringLiteral("宝箱奖励 %1").arg(prizes_[k]);
        }
        return 1;
    }
    void InitShowEnd() override {
        Log(QStringLiteral("InitShowEnd"));
        Chat(QStringLiteral("本局道具结算中"));
    }
    void InitShowNext(bool reset) override { Log(QStringLiteral("InitShowNext %1").arg(reset)); }
    void ShowGif(std::int16_t one, bool open) override {
        Log(QStringLiteral("ShowGif %1 %2").arg(one).arg(open));
    }
    void rec_state(std::int16_t kind, bool up) override {
        Log(QStringLiteral("rec_state %1 %2").arg(kind).arg(up));
    }
    void rec_state(std::int16_t kind, bool closed, std::int16_t pane) override {
        Log(QStringLiteral("rec_state %1 %2 %3").arg(kind).arg(closed).arg(pane));
    }
    void SetKeyDown(std::int16_t key) override { Log(QStringLiteral("SetKeyDown %1").arg(key)); }
    void setbankstate(std::int16_t state) override {
        Log(QStringLiteral("setbankstate %1").arg(state));
        if (state == 0) Chat(QStringLiteral("银行尚未开放"));
    }
    void FixBuffPos() override { Log(QStringLiteral("FixBuffPos")); }
    bool ShowBrmVideo(std::int16_t seat, bool show, std::int16_t) override {
        Log(QStringLiteral("ShowBrmVideo %1 %2").arg(seat).arg(show));
        return false;
    }
    void InitExit(std::int16_t& code) override {
        Log(QStringLiteral("InitExit %1").arg(code));
        queue_.clear();
    }

  private:
    void Chat(const QString& text) {
        props::PropWorkItem item;
        item.g_nPropWorkType = 0;
        item.g_sPropText = text;
        queue_.push_back(item);
    }

    bool reduced_ = false;
    std::deque<props::PropWorkItem> queue_;
    QString names_[4];
    std::int32_t prizes_[4] = {};
    bool scoreReady_ = false;
};

}  // namespace

extern "C" Q_DECL_EXPORT const char* SamplePropDllCalls() {
    return CallLog().c_str();
}

#if SAMPLE_PROP_VARIANT == 0
extern "C" Q_DECL_EXPORT props::PropDll* CreatePropDll() {
    return new SamplePropDll;  // owned by the client from here on
}
#elif SAMPLE_PROP_VARIANT == 1
// A library without the entry point.
extern "C" Q_DECL_EXPORT int NotThePropEntry() {
    return 0;
}
#elif SAMPLE_PROP_VARIANT == 2
// An entry point that makes no object.
extern "C" Q_DECL_EXPORT props::PropDll* CreatePropDll() {
    return nullptr;
}
#endif
