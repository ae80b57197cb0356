// The hand's result frames: the first of a hand puts the table into its settlement; each one
// stops the turn clock, empties the score board for the sheet and takes its note; then it goes
// to the settlement, or, with the props plug-in loaded, the fourth is held for the plug-in's
// end-of-hand show.
#include "client/client.h"
#include "client/main_form.h"
#include "dispatch/frame_reader.h"
#include "dispatch/handlers.h"
#include "dispatch/prop_plugin.h"
#include "platform/text/gbk.h"
#include "props/prop_dll.h"
#include "settlement/score_window.h"
#include "settlement/show_settlement.h"

namespace dispatch {

namespace {

constexpr std::size_t NoteByte = 226;
constexpr std::size_t NoteEnd = 246;
constexpr std::int16_t FramesPerHand = 4;
constexpr std::int16_t PropShowHolding = 1;

// The note as the server wrote it: GBK, a lead byte taking the next byte with it (the last
// lead byte takes byte 246), NULs kept, blanks trimmed at both ends.
QString DecodeResultNote(const state::Frame& message) {
    QString note;
    for (std::size_t p = NoteByte; p < NoteEnd;) {
        const std::uint8_t lead = ReadByte(message, p);
        if (lead < 0x80) {
            note += QChar(lead);
            ++p;
            continue;
        }
        const char pair[2] = {char(lead), char(ReadByte(message, p + 1))};
        note += platform::decodeGbk(std::string_view(pair, 2));
        p += 2;
    }
    qsizetype first = 0;
    qsizetype last = note.size();
    while (first < last && note[first] == u' ') ++first;
    while (last > first && note[last - 1] == u' ') --last;
    return note.sliced(first, last - first);
}

void HoldForPropShow(client::Client& c, const state::Frame& message) {
    auto& s = c.s;
    s.g_nPropHandCount = 0;
    s.g_nPropShowState = PropShowHolding;
    s.g_bScorePending = true;
    s.g_aPrizeAmount = {};
    s.g_aScoreLines = {};
    s.g_aPrizeInfo = {};
    // Held before the plug-in is told, so that a failing call cannot leave a stale frame to be
    // settled.
    s.g_aHeldResultFrame = message;
    PropPlugin(c).InitShowEnd();
    s.Player_num = 0;
}

}  // namespace

void HandleHandResult(client::Client& c, state::Frame& message) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    if (!s.g_bResultShown) {
        s.g_bHoldPropFrameA = true;
        s.g_bHoldPropFrameB = true;
        s.g_aHeldPropFrameA.fill(0);
        s.g_aHeldPropFrameB.fill(0);
        s.g_bResultShown = true;
        // A new hand's results: whatever an interrupted hand left does not count towards them.
        settlement::StartResultCollection(c);
    }
    table.Time_Img.setVisible(false);
    table.Number.setVisible(false);
    s.channels.disarm(state::ChannelTurnClock);
    auto& board = *c.Score;
    for (int i = 0; i < 4; ++i) {
        board.State[i].clear();
        board.State[i + 4].clear();
    }
    s.g_sResultNote = DecodeResultNote(message);

    if (s.g_nPropState <= 0) {
        settlement::ShowSettlement(c, message);
        return;
    }
    ++s.g_nPropHandCount;
    if (s.g_nPropHandCount < FramesPerHand) {
        settlement::ShowSettlement(c, message);
        return;
    }
    HoldForPropShow(c, message);
}

}  // namespace dispatch
