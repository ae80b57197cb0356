#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "state/frame.h"

namespace cards {

// DeclareAction: one bit per declaration a player can make during the deal.
enum DeclareAction : std::uint16_t {
    ActionPass = 0x001,
    ActionXuan = 0x002,
    ActionChuai = 0x004,
    ActionCeng = 0x008,
    ActionPingDa = 0x010,
    ActionFanChuai = 0x020,
    ActionGenChuai = 0x040,
    ActionShuaiPai = 0x080,
    ActionBaoDa = 0x100,
};

// The action a declaration button of kind 1..9 sends (g_aJiaofenKind); none for other kinds.
std::optional<DeclareAction> DeclareActionOfKind(std::int16_t kind);

// MsgDeclare: the action big-endian in bytes 8 and 9 and up to four cards (four bytes each, as
// the server sent them) from byte 16.
state::Frame BuildDeclareFrame(std::uint8_t seatFlag, DeclareAction action,
                               std::span<const std::uint8_t> cardBytes = {});

}  // namespace cards
