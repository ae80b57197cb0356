#pragma once

#include <QString>
#include <cstdint>

#include "platform/desktop/window_message.h"

namespace hall {

// The numbers the hall and the table client exchange; the same numbers serve both directions.
inline constexpr std::uint32_t kHallMsgRelink = 0x16;
inline constexpr std::uint32_t kHallMsgClose = 0x303;
inline constexpr std::uint32_t kHallMsgIdle = 0x400;
inline constexpr std::uint32_t kHallMsgInGame = 0x465;
inline constexpr std::uint32_t kHallMsgBusy = 0x466;
inline constexpr std::uint32_t kHallMsgHandStarted = 0x467;

inline QString messageName(std::uint32_t message, std::int32_t wParam) {
    switch (message) {
        case kHallMsgRelink:
            return QStringLiteral("HallMsgRelink");
        case kHallMsgClose:
            return QStringLiteral("HallMsgClose");
        case kHallMsgIdle:
            return QStringLiteral("HallMsgIdle");
        case kHallMsgInGame:
            return QStringLiteral("HallMsgInGame");
        case kHallMsgBusy:
            return QStringLiteral("HallMsgBusy");
        case kHallMsgHandStarted:
            return QStringLiteral("HallMsgHandStarted");
        case platform::kSystemCommandMessage:
            switch (static_cast<platform::SystemCommand>(wParam & 0xFFF0)) {
                case platform::SystemCommand::Restore:
                    return QStringLiteral("system command: restore");
                case platform::SystemCommand::Minimise:
                    return QStringLiteral("system command: minimise");
            }
            return QStringLiteral("system command");
        default:
            return QStringLiteral("unknown message");
    }
}

}  // namespace hall
