#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "settlement/hand_result.h"

// The settlement sheet as plain data: the lines of the score board's eight columns (0..3 the
// sheet of relative seats 0..3, 4..7 their final lines once more) and the text colour of each
// seat's column, built from the hand's four result frames and what the table knows of the hand.
namespace settlement {

// One result frame and the column (relative seat) it fills.
struct PlacedResult {
    HandResult result;
    int column = 0;
};

struct SheetInput {
    // In the order the frames came; the last one carries the hand's base gold and note.
    std::array<PlacedResult, 4> frames;
    std::array<QString, 4> startGold;     // each seat's gold label at the deal
    std::array<QString, 4> scoreLines;    // the props plug-in's extra lines, "|" between them
    std::array<double, 4> prizeAmount{};  // the props plug-in's amount per seat
    std::int32_t beishu = 0;              // the wealth multiplier, 0 for none
    QString beishuText;
    QString note;  // shown up to its first NUL
};

struct Sheet {
    std::array<QStringList, 8> lines;
    std::array<std::uint32_t, 4> colour{};  // 0x00BBGGRR
    // Seats whose props lines were used: their amount went into their result.
    std::array<bool, 4> propsTaken{};
    // Each frame's signed result (by the frame's order): the final amount with the sign its
    // sign byte gives it, plus the props amount of its column when that was taken.
    std::array<double, 4> signedFinal{};
    std::int32_t baseGold = 0;
};

Sheet BuildSheet(const SheetInput& in);

// The line of a place byte: "第一名" .. "第四名", "放弃" for 5, empty otherwise.
QString PlaceLine(std::uint8_t place);

// The colour number at the end of a props line piece: blanks, an optional sign and decimal
// digits in its last eight characters (all of it when shorter); nothing when they are not one.
std::optional<std::int32_t> PieceColour(const QString& piece);

}  // namespace settlement
