#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "cards/hint_search.h"
#include "cards/play_comparison.h"
#include "platform/desktop/window_message.h"
#include "state/byte_ring.h"
#include "state/channels.h"
#include "state/player_info.h"
#include "state/score_head.h"
#include "state/seat_record.h"

namespace state {

// The client's shared variables, one object per client so that a test builds a fresh one.
// Members keep the names every part of the client uses for them.
struct SharedState {
    // Frames between the socket and the rest of the client. `g_aSendRing.read` is the send
    // ring's read index, and so on.
    ByteRing g_aSendRing;
    ByteRing g_aRecvRing;
    // Frames refused because the send ring already held every frame it can keep unsent.
    std::int32_t g_nSendRefused = 0;

    // True while received bytes go to the receive ring; false during the SOCKS5 hand-shake,
    // when they go to the proxy buffer.
    bool g_bDirectData = true;
    static constexpr std::int32_t ProxyBufSize = 1024;
    std::array<std::uint8_t, ProxyBufSize> g_aProxyBuf{};
    std::int32_t g_nProxyWritePos = 0;
    std::int32_t g_nProxyReadPos = 0;
    std::int16_t g_nProxyStep = 0;

    // The chat text the next chat frame carries.
    QString g_sChatText;

    // The table tick's channels (`check`, `g_aCheckTicks`).
    Channels channels;

    // The four seats, by relative seat.
    std::array<SeatRecord, 4> custom;

    // The card subsystem: the hand's order and marked aces, its selection, the play to beat and
    // the hint.
    // Marked aces the last rank order moved to the front of the hand (0..2), and their colour.
    std::int16_t g_nMarkedAceCount = 0;
    std::int16_t g_nMarkedAceColour = 0;
    // The hand-order button chose the second order last.
    bool g_bSortByGroup = true;
    // The count of raised cards after a selecting click (the clicks' own count is
    // `NumSumClickUp`, with the table screen's state below).
    std::int16_t clickCardNum = 0;
    // `formerType`, `formerNum`, `g_aFormerCards`: the play on the table to beat.
    cards::PlayToBeat former;
    // `g_nHintCursor`, `g_nHintType`, `g_nHintLen`, `g_bHintFound`, `g_bHintPlayed`.
    cards::HintState hint;
    // The deal: the local slots the first two deal batches filled (`g_bCanPlay` and `g_bPassed`
    // are with the action buttons below).
    std::int16_t g_nDealtCards = 0;

    // The table screen: what its layout and the resets between hands set.
    // The hand card floating under the mouse (-1 none), the last clicked card (-1 none) and the
    // cards clicked up; FlgIsMe: the local player's turn (the float is off meanwhile).
    std::int16_t RecordUpNumber = -1;
    std::int16_t NumberClick = -1;
    std::int16_t NumSumClickUp = 0;
    bool FlgIsMe = false;
    // MsgTurn frames received in the hand.
    std::int16_t g_nPlayCount = 0;
    // Relative seats of the holders of the marked aces (entries 0 and 1; 5: one holds both).
    std::array<std::int16_t, 3> g_aMarkedSeats{};
    // The Top of an unraised hand card (the rest line), for selection and for the float.
    std::int16_t g_nCardBaseTop = 0;
    std::int16_t g_nFloatBaseTop = 0;
    // Per relative seat, the image indexes of its cards on the table now and of its play before;
    // the count is entry 27.
    static constexpr int TrickEntries = 28;
    std::array<std::array<std::int16_t, TrickEntries>, 4> g_aTrickCards{};
    std::array<std::array<std::int16_t, TrickEntries>, 4> g_aPrevTrickCards{};
    // The declaration button the declaration countdown presses when it runs out.
    std::int16_t g_nDefaultBid = 0;
    // Cards played so far in the hand by relative seats 1 to 3 (index seat - 1).
    std::array<std::int16_t, 3> g_aPlayedCount{};
    // The table's wealth multiplier, 0 when it plays without one.
    std::int32_t beishu = 0;
    std::array<double, 4> g_aHandResult{};
    // MsgPlayerInfo frames since the last player reset, and the seats that have finished.
    std::int16_t ID_num = 0;
    std::int16_t g_nFinishedCount = 0;
    // Hover marks of the toolbar, the action buttons and the sixteen video pane buttons.
    std::array<bool, 9> g_aAnNiuHover{};
    std::array<bool, 6> g_aOperationHover{};
    std::array<bool, 16> g_aPaneButtonHover{};
    // The props show at the end of a hand: the plug-in is to be shut down when it ends, and
    // its state (1 running, 2 asked for by the settlement).
    bool g_bPropShowPending = false;
    std::int16_t g_nPropShowState = 0;

    // The command line (the hall's fifteen fields) and what start-up derives from it.
    QString g_sGameHost;
    std::int16_t g_nGamePort = 0;
    std::int16_t ProxyType = 0;  // 0 direct, 5 SOCKS5, anything else: no connection
    QString g_sProxyHost;
    std::int16_t g_nProxyPort = 0;
    QString g_sProxyUser;
    std::uint8_t g_nProxyUserLen = 0;
    QString g_sProxyPassword;
    std::uint8_t g_nProxyPasswordLen = 0;
    bool g_bCustomCaptions = false;
    QString g_sHallCaption;  // blank until the command line is read
    QString g_sOwnCaption;
    std::int16_t g_nPropAllowed = 0;
    std::int16_t g_nPropParam = 0;
    QString g_sPropUser;
    QString g_sPropPassword;
    bool g_bSpectator = false;
    // The login frame, built once at start-up and kept a login frame for the whole run.
    Frame g_aLoginFrame{};

    // Screen scale of every design position and size: 1.0, or 0.78125 on a small screen.
    float g_fScaleX = 1.0f;
    float g_fScaleY = 1.0f;

    // Video switch file and relay.
    bool g_bVideoOn = false;
    bool g_bRelayLoggedIn = false;
    bool g_bLocalVideoOk = false;
    // The seats' video has been asked of the relay; each player who sits down later is asked
    // for on arrival.
    bool g_bVideoRequested = false;
    // The last captured local frame and the frames kept for remote panes 1..3, as the video
    // component delivered them.
    QByteArray g_aLocalFrame;
    QByteArray g_aRemoteFrame1;
    QByteArray g_aRemoteFrame2;
    QByteArray g_aRemoteFrame3;
    // Per remote pane 1..3 (element 0 unused): opened by a first frame, closed by the player.
    std::array<bool, 4> g_aPaneOpened{};
    std::array<bool, 4> g_aPaneClosed{};
    // Per relay slot 1..3 (element 0 unused): the throttle of captured frames sent to the slot.
    std::array<std::int16_t, 4> g_aPeerSendCount{};
    // The pane (0..3) whose zoom window the zoom timer refreshes.
    std::int16_t g_nZoomPane = 0;

    // Connection and table life.
    bool g_bConnected = false;  // a login is pending
    bool g_bLoggedIn = false;
    bool g_bAutoReconnect = false;
    bool g_bReconnecting = false;
    // The login (or reconnect) frame has gone out on the current connection: until then the
    // send pump keeps queued frames back, so nothing precedes it or cuts into the hand-shake.
    bool g_bLoginSentOnConnection = false;
    bool g_bGameRunning = false;
    bool Inited = false;
    std::int32_t g_nIdleRounds = 0;
    Frame g_aCurFrame{};
    std::array<std::uint8_t, 2> g_aServerToken{};
    std::int32_t threadIndex = 0;

    // Hold-back of the props plug-in's frames at the end of a hand.
    bool g_bHoldPropFrameA = false;
    bool g_bHoldPropFrameB = false;
    Frame g_aHeldPropFrameA{};
    Frame g_aHeldPropFrameB{};

    // Flags start-up sets and the other parts of the table read.
    bool g_bDealPhase1 = false;
    bool g_bDealPhase2 = false;
    bool g_bDealPhase3 = false;
    bool g_bBossKeyPressed = false;
    bool g_bBossKey = false;
    bool g_bAutoPlay = false;
    std::int16_t g_nTurnSeconds = 10;
    std::int16_t g_nTimeoutCount = 0;
    bool g_bResultShown = false;
    bool g_bRandomSeats = false;
    bool g_vWeb1Failed = false;
    bool g_bWeb2Failed = false;
    bool g_bChatAllowed = true;
    bool g_bChatPrefixPut = false;  // the chat line's whisper prefix was put in by a click
    bool g_bTurnOpen = false;
    bool g_bAltBackground = false;
    bool g_bReadyPending = true;
    std::int16_t g_nChatFlashCount = 0;
    std::int16_t Player_num = 0;
    bool g_bHandStarted = false;
    bool g_bReadyPressed = false;
    std::array<QString, 2> g_aOtherNames;
    std::int16_t g_nShuffleIndex = 0;
    bool g_bShuffleArmed = false;
    bool g_bShuffling = false;
    std::array<QString, 4> g_aShuffleText;
    std::int16_t g_nHandCount = 0;
    std::int16_t g_nBidTicks = 0;
    std::int16_t g_nSpeakSeat = -1;
    std::array<bool, 9> g_aAnNiuState{};

    // Resource pictures: the id being extracted and the declaration kinds shown on the
    // declaration buttons.
    std::int16_t g_nResId = 0;
    std::array<std::int16_t, 11> g_aJiaofenKind{};

    // Props plug-in (loaded by its own subsystem; 0 not loaded, -1 unavailable, 1 or 2 loaded).
    std::int16_t g_nPropState = 0;
    bool g_bPropRunning = false;
    bool g_bScorePending = false;
    bool g_bPropScorePending = false;
    Frame g_aHeldResultFrame{};
    bool g_bBaoChoosing = false;
    std::int16_t g_nBaoTicks = 0;
    std::int16_t g_nBaoCountdown = 0;
    bool g_bBaoPicked = false;

    // SOCKS5 hand-shake, leaving the table and reconnection.
    // The greeting goes out as soon as the proxy connection is up.
    bool g_bProxyGreeting = false;
    // The hand-shake on the current proxy connection has failed: its later bytes are ignored.
    bool g_bProxyFailed = false;
    // Counts proxy connections begun, so that a wait overtaken by a newer one steps aside.
    std::uint32_t g_nProxyAttempt = 0;
    // The reconnect frame, built from the login frame by each reconnect attempt and sent in
    // its place until the table is left; g_aLoginFrame itself stays a login frame.
    Frame g_aReconnectFrame{};
    bool g_bReconnectPending = false;
    const Frame& loginFrameToSend() const {
        return g_bReconnectPending ? g_aReconnectFrame : g_aLoginFrame;
    }
    // The reconnect window's attempts and countdown (a table reset clears them too).
    std::int16_t ReconnectCount = 0;
    std::int16_t ReconnectTime = 0;
    // The player cancelled the table-closed dialog.
    bool g_bTableClosed = false;
    // Hover marks of the declaration buttons and the quick-phrase buttons, and the seats'
    // wealth multipliers, which leaving the table resets.
    bool g_bJiaofenHoverReset = false;
    bool g_bWord1Hover = false;
    bool g_bWord2Hover = false;
    std::array<std::int32_t, 4> g_aSeatBeishu{};

    // The table tick and the hall link.
    // The hall window as the last search found it.
    platform::WindowHandle g_nHallWnd;
    // The declaration countdown and the countdown shared by the table clocks.
    bool g_bBidClock = false;
    std::int16_t g_nCountdown = 0;
    // The treasure-chest rewards the plug-in reports: extra prize lines (row 1) per seat, and
    // the prize per seat.
    std::array<std::array<QString, 4>, 2> g_aPrizeInfo;
    std::array<double, 4> g_aPrizeAmount{};

    // The hand's mouse handling, the action and declaration buttons and the table clocks.
    // The local player may play now; has passed in this trick; has to lead (the turn clock's
    // time-out plays the lowest group); the turn that is running is the local player's.
    bool g_bCanPlay = false;
    bool g_bPassed = false;
    bool g_bAutoLead = false;
    bool g_bTurnToAct = false;
    // The previous trick may be shown again (cleared while it shows).
    bool g_bPrevTrickReady = false;
    // The cards the server offers during the deal: aces offered at the start of g_aCardGroup
    // (0..3), the middle batch's group size (3 or 4), and up to four cards of four bytes each
    // as the server sent them.
    std::int16_t g_nAceCount = 0;
    std::int16_t g_nGroupSize = 0;
    std::array<std::uint8_t, 16> g_aCardGroup{};

    // The server dispatcher: the players' profiles by relative seat, the login answer's
    // time-out limit, the once-per-hand mark and the advertising pages named by the server.
    std::array<PlayerInfo, 4> g_aPlayerInfo;
    // The chat voices handed out by the last assignment, four per sex.
    std::array<bool, 4> g_aMaleVoiceTaken{};
    std::array<bool, 4> g_aFemaleVoiceTaken{};
    std::int16_t g_nTimeoutLimit = 0;
    bool g_bTimeLimit = false;
    QString g_sAdBaseUrl;
    QString g_sShuffleAdUrl;

    // Settlement and history.
    // The hand's result frames in the order they came, and how many of them are in (0..3
    // between frames).
    std::array<Frame, 4> g_aResultFrames{};
    std::int16_t nResultFrames = 0;
    std::int32_t g_nBaseGold = 0;
    // Each seat's running total over the hands at this table.
    std::array<double, 4> g_aSessionScore{};
    // What the seating, the deal and the results leave for the sheet: the score heads, the gold
    // labels at the deal, the wealth multiplier's text (the multiplier is the table screen's
    // `beishu`), and the last result's note.
    std::array<ScoreHead, 4> g_aScoreHeads;
    std::array<QString, 4> g_aStartGold;
    QString g_sBeishuText;
    QString g_sResultNote;
    // The props plug-in's part of a settlement: its extra lines per seat, the result frames it
    // counted, its end-of-hand show (0 none, 1 holding the fourth frame, 2 settled) and an
    // unload put off until the settlement ends.
    std::array<QString, 4> g_aScoreLines;
    // (The show's state and the put-off unload are the table screen's `g_nPropShowState` and
    // `g_bPropShowPending`.)
    std::int16_t g_nPropHandCount = 0;
    // Marked aces and turns: the marked aces have taken their top rank in this hand (the deal's
    // last batch clears it, the first turn sets it), and the
    // cards the marked-ace announcement found in the local hand (the hand-order button may move
    // them before the first turn, so they are found again by value, not by slot).
    bool g_bAcesMarked = false;
    std::int16_t g_nMarkedAceCards = 0;
    std::array<std::int32_t, 2> g_aMarkedAceCards{};
    // Chat: the whisper prefix at the head of the chat line ("" when no whisper is active), the
    // addressee's SeatFlag, the line kept while a new prefix goes in front of it, the chat
    // line's focus and the Alt-then-C key sequence (element 0 Alt seen, element 1 C seen),
    // which the table's key handler shares with the chat history window.
    QString g_sWhisperPrefix;
    std::int16_t g_nWhisperSeat = 0;
    QString g_sChatSaved;
    bool g_bChatFocus = false;
    std::array<std::int16_t, 2> g_aAltCKeys{};

    // Hover pictures: the declaration button showing its hover picture and that picture's id
    // (valid while g_bJiaofenHoverReset is clear).
    std::int16_t g_nJiaofenHoverIndex = 0;
    std::int16_t g_nJiaofenHoverId = 0;
};

}  // namespace state
