#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace client {
class Client;
}

// What the table uses of the props subsystem. The plug-in is not loaded yet in this client
// (g_nPropState stays 0), so the calls that need it do nothing.
namespace props {

// Loads the plug-in when none is loaded and the local player is logged in. The plug-in is not
// part of this client: it cannot be created, so it is marked unavailable (-1). True when loaded.
bool InitGameDll(client::Client& c);

// Unloads the plug-in when it is loaded (g_nPropState 1 or more); otherwise nothing.
void ExitGameDll(client::Client& c, std::int16_t& code);

void AddPropChatLine(client::Client& c, const QString& text);
void ShowPropText(client::Client& c, const QString& text, const std::vector<std::int32_t>& rect,
                  const std::vector<std::int32_t>& style);
void PlayBaoXiang(client::Client& c);
// Clears the props display before the next deal: the chest picture and the floating text go,
// the plug-in (when loaded) prepares its next show, and the props' score lines are erased.
void ResetPropShow(client::Client& c);
void OpenBaoXiang(client::Client& c, std::int16_t& pick);

}  // namespace props
