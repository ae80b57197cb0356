#include "settlement/hand_result.h"

#include <cmath>

#include "dispatch/frame_reader.h"

namespace settlement {

namespace {

// Byte offsets of the result frame.
constexpr std::size_t BaseGoldByte = 8;
constexpr std::size_t CurrencyByte = 15;
constexpr std::size_t CardsLeftByte = 16;
constexpr std::size_t CardsHeldByte = 20;
constexpr std::size_t PlaceByte = 72;
constexpr std::size_t TotalSignByte = 73;
constexpr std::size_t TotalAmountByte = 74;
constexpr std::size_t FinalSignByte = 82;
constexpr std::size_t FinalAmountByte = 83;
constexpr std::size_t LevelByte = 91;
constexpr std::size_t MengXuanByte = 92;
constexpr std::size_t MengChuaiByte = 93;
constexpr std::size_t BonusX2Byte = 94;
constexpr std::size_t SubtotalSignByte = 100;
constexpr std::size_t SubtotalAmountByte = 101;
constexpr std::size_t CappedByte = 109;

using state::FrameFields;

}  // namespace

HandResult DecodeHandResult(const state::Frame& frame) {
    HandResult r;
    r.seat = FrameFields::u8(frame, state::FrameSeatByte) & 0x0F;
    r.baseGold = static_cast<std::int32_t>(FrameFields::u32be(frame, BaseGoldByte));
    r.currency = FrameFields::u8(frame, CurrencyByte);
    r.cardsLeft = FrameFields::u8(frame, CardsLeftByte);
    for (std::size_t j = 0; j < r.cardsHeld.size(); ++j) {
        r.cardsHeld[j] =
            static_cast<cards::CardValue>(FrameFields::u32le(frame, CardsHeldByte + 4 * j));
    }
    r.place = FrameFields::u8(frame, PlaceByte);
    r.totalSign = FrameFields::u8(frame, TotalSignByte);
    r.totalAmount = dispatch::ReadAmount(frame, TotalAmountByte);
    r.finalSign = FrameFields::u8(frame, FinalSignByte);
    r.finalAmount = dispatch::ReadAmount(frame, FinalAmountByte);
    r.level = FrameFields::u8(frame, LevelByte);
    r.mengXuan = FrameFields::u8(frame, MengXuanByte);
    r.mengChuai = FrameFields::u8(frame, MengChuaiByte);
    for (std::size_t i = 0; i < r.bonusX2.size(); ++i) {
        r.bonusX2[i] = FrameFields::u8(frame, BonusX2Byte + i);
    }
    r.subtotalSign = FrameFields::u8(frame, SubtotalSignByte);
    r.subtotalAmount = dispatch::ReadAmount(frame, SubtotalAmountByte);
    r.capped = FrameFields::u8(frame, CappedByte);
    return r;
}

QString FormatAmount(double amount) {
    if (std::fabs(amount) < 1e15 && amount == std::trunc(amount)) {
        return QString::number(amount, 'f', 0);
    }
    // Fifteen significant digits, the exponent written as E+nn.
    QString text = QString::number(amount, 'g', 15).toUpper();
    const qsizetype e = text.indexOf(u'E');
    if (e >= 0 && e + 2 < text.size()) {
        QString exponent = text.mid(e + 2);
        while (exponent.size() > 2 && exponent.startsWith(u'0')) exponent.remove(0, 1);
        text = text.left(e + 2) + exponent;
    }
    return text;
}

int RelativeSeat(std::uint8_t seatFlag, std::uint8_t ownFlag) {
    return (cards::BitIndex(seatFlag) - cards::BitIndex(ownFlag) + 4) % 4;
}

}  // namespace settlement
