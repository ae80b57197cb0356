#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "props/prop_dll.h"

namespace support {

// A plug-in that answers every member and does nothing: Initdll and SetUserinfo accept, no
// chests, no work items, no score data. Fakes override what their test looks at.
class NullPropDll : public props::PropDll {
  public:
    bool Initdll(QString&, QString&, const QString&, std::uint64_t, const QString&, props::PropDll&,
                 std::optional<std::int32_t>, std::int16_t&, std::int16_t&) override {
        return true;
    }
    bool GetBaoInfo(props::BaoInfo&) override { return false; }
    bool SetUserinfo(QString&, QString&, std::uint8_t&, std::int16_t&, bool, std::uint8_t&,
                     QString&, QString&) override {
        return true;
    }
    void ClearUser(std::int16_t) override {}
    void Rec_MSG(state::Frame&) override {}
    std::int16_t CheckSendBuff() override { return 0; }
    void GetSendBuff(props::PropWorkItem&) override {}
    std::int16_t GetScoreInfo(props::ScoreLines&, props::PrizeAmounts&,
                              props::PrizeInfo&) override {
        return 0;
    }
    void InitShowEnd() override {}
    void InitShowNext(bool) override {}
    void ShowGif(std::int16_t, bool) override {}
    void rec_state(std::int16_t, bool) override {}
    void rec_state(std::int16_t, bool, std::int16_t) override {}
    void SetKeyDown(std::int16_t) override {}
    void setbankstate(std::int16_t) override {}
    void FixBuffPos() override {}
    bool ShowBrmVideo(std::int16_t, bool, std::int16_t) override { return false; }
    void InitExit(std::int16_t&) override {}
};

// Script and record of a plug-in: every member call goes into `calls` as "Name(args)"; the
// answers come from the public fields. Kept outside the fake so that a test can read it after
// the client dropped the object.
struct PropScript {
    bool initdll = true;
    std::int16_t initLayout = 0;           // the layout Initdll received
    std::optional<props::BaoInfo> chests;  // given: GetBaoInfo fills it and returns True
    bool setUserinfo = true;
    std::deque<props::PropWorkItem> workItems;
    std::optional<std::int16_t> workCount;  // CheckSendBuff's answer; the queue's size if unset
    std::int16_t scoreReady = 0;
    props::ScoreLines lines;
    props::PrizeAmounts prizes{};
    props::PrizeInfo info;
    bool showVideo = false;
    bool throwOnInitdll = false;
    QStringList calls;
    std::vector<state::Frame> received;
    bool released = false;

    int count(const QString& prefix) const {
        int n = 0;
        for (const QString& call : calls) n += call.startsWith(prefix) ? 1 : 0;
        return n;
    }
};

class ScriptedPropDll final : public props::PropDll {
  public:
    explicit ScriptedPropDll(PropScript& script) : s_(script) {}
    ~ScriptedPropDll() override { s_.released = true; }

    bool Initdll(QString& account, QString& password, const QString& kind, std::uint64_t,
                 const QString& game, props::PropDll& self, std::optional<std::int32_t> omitted,
                 std::int16_t& layout, std::int16_t& param) override {
        s_.calls << QStringLiteral("Initdll(%1,%2,%3,%4,%5,%6,%7,%8)")
                        .arg(account, password, kind, game)
                        .arg(&self == this ? "self" : "other")
                        .arg(omitted ? "given" : "omitted")
                        .arg(layout)
                        .arg(param);
        s_.initLayout = layout;
        if (s_.throwOnInitdll) throw std::runtime_error("plug-in failed");
        return s_.initdll;
    }
    bool GetBaoInfo(props::BaoInfo& layout) override {
        s_.calls << QStringLiteral("GetBaoInfo");
        if (!s_.chests) return false;
        layout = *s_.chests;
        return true;
    }
    bool SetUserinfo(QString& nickname, QString& account, std::uint8_t& seatFlag,
                     std::int16_t& seat, bool credit, std::uint8_t& sex, QString& tag,
                     QString& face) override {
        s_.calls << QStringLiteral("SetUserinfo(%1,%2,%3,%4,%5,%6,%7,%8)")
                        .arg(nickname, account)
                        .arg(int(seatFlag))
                        .arg(seat)
                        .arg(int(credit))
                        .arg(int(sex))
                        .arg(tag, face);
        return s_.setUserinfo;
    }
    void ClearUser(std::int16_t seat) override {
        s_.calls << QStringLiteral("ClearUser(%1)").arg(seat);
    }
    void Rec_MSG(state::Frame& message) override {
        s_.calls << QStringLiteral("Rec_MSG(%1)").arg(int(message[state::FrameTypeByte]));
        s_.received.push_back(message);
    }
    std::int16_t CheckSendBuff() override {
        s_.calls << QStringLiteral("CheckSendBuff");
        return s_.workCount.value_or(std::int16_t(s_.workItems.size()));
    }
    void GetSendBuff(props::PropWorkItem& item) override {
        s_.calls << QStringLiteral("GetSendBuff(%1)").arg(item.g_nPropWorkType);
        if (s_.workItems.empty()) return;
        item = std::move(s_.workItems.front());
        s_.workItems.pop_front();
    }
    std::int16_t GetScoreInfo(props::ScoreLines& lines, props::PrizeAmounts& prizes,
                              props::PrizeInfo& info) override {
        s_.calls << QStringLiteral("GetScoreInfo");
        if (s_.scoreReady == 1) {
            lines = s_.lines;
            prizes = s_.prizes;
            info = s_.info;
        }
        return s_.scoreReady;
    }
    void InitShowEnd() override { s_.calls << QStringLiteral("InitShowEnd"); }
    void InitShowNext(bool reset) override {
        s_.calls << QStringLiteral("InitShowNext(%1)").arg(int(reset));
    }
    void ShowGif(std::int16_t one, bool open) override {
        s_.calls << QStringLiteral("ShowGif(%1,%2)").arg(one).arg(int(open));
    }
    void rec_state(std::int16_t kind, bool connected) override {
        s_.calls << QStringLiteral("rec_state(%1,%2)").arg(kind).arg(int(connected));
    }
    void rec_state(std::int16_t kind, bool closed, std::int16_t pane) override {
        s_.calls << QStringLiteral("rec_state(%1,%2,%3)").arg(kind).arg(int(closed)).arg(pane);
    }
    void SetKeyDown(std::int16_t key) override {
        s_.calls << QStringLiteral("SetKeyDown(%1)").arg(key);
    }
    void setbankstate(std::int16_t state) override {
        s_.calls << QStringLiteral("setbankstate(%1)").arg(state);
    }
    void FixBuffPos() override { s_.calls << QStringLiteral("FixBuffPos"); }
    bool ShowBrmVideo(std::int16_t seat, bool show, std::int16_t zero) override {
        s_.calls << QStringLiteral("ShowBrmVideo(%1,%2,%3)").arg(seat).arg(int(show)).arg(zero);
        return s_.showVideo;
    }
    void InitExit(std::int16_t& code) override {
        s_.calls << QStringLiteral("InitExit(%1)").arg(code);
    }

  private:
    PropScript& s_;
};

}  // namespace support
