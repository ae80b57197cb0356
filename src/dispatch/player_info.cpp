#include "dispatch/player_info.h"

#include <array>
#include <functional>
#include <utility>

#include "dispatch/frame_reader.h"

namespace dispatch {

void DecodePlayerInfo(state::PlayerInfo& record, const state::Frame& message) {
    namespace b = player_info_bytes;

    record.account = OneBytePerCharText(message, b::Account, b::AccountWidth);
    record.nickname = MixedGbkText(message, b::Nickname, b::NicknameWidth);
    record.face = OneBytePerCharText(message, b::Face, b::FaceWidth);
    if (record.face.isEmpty()) record.face = QStringLiteral("m1");
    record.sex = ReadByte(message, b::Sex);
    record.location = DoubleByteText(message, b::Location, b::LocationWidth);

    // The amounts are built side by side, one byte of each at a time, most significant first.
    const std::array<std::pair<std::reference_wrapper<double>, std::size_t>, 7> amounts{{
        {record.points, b::Points},
        {record.credit, b::Credit},
        {record.gold, b::Gold},
        {record.spareAmounts[0], b::FirstSpare},
        {record.spareAmounts[1], b::OtherSpares},
        {record.spareAmounts[2], b::OtherSpares + 8},
        {record.spareAmounts[3], b::OtherSpares + 16},
    }};
    for (const auto& [amount, offset] : amounts) amount.get() = 0;
    for (std::size_t i = 8; i-- > 0;) {
        for (const auto& [amount, offset] : amounts) {
            amount.get() = amount.get() * 256 + ReadByte(message, offset + i);
        }
    }

    record.levelTitle = DoubleByteText(message, b::LevelTitle, b::LevelTitleWidth);

    // The counters likewise; an overflow leaves them partly built.
    const std::array<std::pair<std::reference_wrapper<std::int32_t>, std::size_t>, 4> counters{{
        {record.logins, b::Logins},
        {record.drops, b::Drops},
        {record.wins, b::Wins},
        {record.losses, b::Losses},
    }};
    for (const auto& [counter, offset] : counters) counter.get() = 0;
    for (std::size_t i = 4; i-- > 0;) {
        for (const auto& [counter, offset] : counters) {
            counter.get() = ShiftInByte(counter.get(), ReadByte(message, offset + i));
        }
    }

    record.tag = DoubleByteText(message, b::Tag, b::TagWidth);
    record.voiceCode = OneBytePerCharText(message, b::VoiceCode, b::VoiceCodeWidth);
    record.voiceId = OneBytePerCharText(message, b::VoiceId, b::VoiceIdWidth);
    record.lastSpareAmount = ReadAmount(message, b::LastSpare);
}

}  // namespace dispatch
