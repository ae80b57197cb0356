#pragma once

#include <QString>
#include <cstdint>

#include "state/frame.h"

namespace client {
class Client;
class MainForm;
}  // namespace client

// The props plug-in: loading and unloading it, telling it who sits where, the table tick's steps
// for it, the floating text and the held settlement. The chest show is in bao_show.h.
namespace props {

// Where the plug-in library lies, relative to the program folder.
inline constexpr const char16_t* PropLibraryPath = u"\\plugin\\tools\\PropDll.so";

// Loads the plug-in (g_nPropState 0 to 1 or 2, or to -1); False when it is not loaded.
bool InitGameDll(client::Client& c);

// What unloading does with a settlement frame held for the plug-in's show.
enum class HeldSettlement {
    Release,  // the plug-in goes while the player stays: the frame reaches the settlement
    Drop,     // leaving the table or closing the window: the hand is abandoned
};

// Unloads the plug-in when it is loaded (g_nPropState 1 or more); otherwise nothing. Code 1
// (the table window unloads) always drops a held settlement.
void ExitGameDll(client::Client& c, std::int16_t& code,
                 HeldSettlement held = HeldSettlement::Release);

// The seating handler's step for a MsgPlayerInfo frame of relative seat `seat`: the refusal or
// the load, then the player's registration with the plug-in (whatever the plug-in answers).
// True when the player was handed to the plug-in, whose pictures then take the avatar's place.
bool PropsOnPlayerInfo(client::Client& c, const state::Frame& message, std::int16_t seat);
// A player left or was removed.
void PropsOnPlayerGone(client::Client& c, std::int16_t seat);

// The held result frame for the plug-in's end-of-hand show, and its one release.
void HoldResultFrame(client::Client& c, const state::Frame& message);
// Hands the held frame to ShowSettlement when one is held; otherwise nothing.
void ReleaseHeldSettlement(client::Client& c);

// The table tick's props steps (work items, then the held settlement); false when the tick
// ends here. And the chest countdown step.
bool PropsPolling(client::Client& c);
void ChestCountdown(client::Client& c);

// At a deal of phase 1: the outgoing props frames held back since the hand's results go out
// (each whose hold has been used), then the second kind is no longer held.
void SendHeldPropFrames(client::Client& c);

// Clears the props display at a deal.
void ResetPropShow(client::Client& c);

// The work items' chat line (whole into the chat history, its first 45 characters into the
// system message area; the caller's text is cut) and floating text.
void AddPropChatLine(client::Client& c, QString& text);
struct FloatingText;
void ShowPropText(client::Client& c, const FloatingText& text);
// Display columns: 2 for a character that is two bytes in GBK, else 1.
std::int16_t TextShowLen(const QString& text);

// The player video of a seat, asked of the plug-in at most once until the mouse is back over
// the table.
void AskPlayerVideo(client::Client& c, std::int16_t seat);
void ReleasePlayerVideo(client::Client& c);

}  // namespace props
