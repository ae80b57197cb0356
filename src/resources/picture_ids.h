#pragma once

#include <QString>
#include <array>

namespace resources {

// The tables of picture numbers, each entry the decimal text of one picture id; an entry that
// no rule fills stays empty. Filled once at start-up by InitImageIds, in the full layout
// (scale 1.0) or the reduced one.
struct PictureIds {
    std::array<QString, 64> g_aIdCards;  // by CardPictureCode
    std::array<QString, 13> g_aIdPile1;  // by cards held minus 1, relative seat 1
    std::array<QString, 13> g_aIdPile1Small;
    std::array<QString, 13> g_aIdPile2;
    std::array<QString, 13> g_aIdPile2Small;
    std::array<QString, 13> g_aIdPile3;
    std::array<QString, 13> g_aIdPile3Small;
    std::array<QString, 27> g_aIdCallBadge;
    std::array<QString, 20> g_aIdAnNiu;  // toolbar pictures, normal and hover in pairs
    std::array<QString, 8> g_aIdDialog;
    std::array<QString, 15> g_aIdOperation;
    std::array<QString, 18> g_aIdJiaofen;
    std::array<QString, 20> g_aIdAvatar;
    std::array<QString, 4> g_aIdReadyBadge;
    std::array<QString, 3> g_aIdPlaceBadge;
    std::array<QString, 13> g_aIdPaneButtons;
    std::array<QString, 6> g_aIdVideoBack;
};

// scaleX is g_fScaleX once it is final: exactly 1.0 chooses the full layout.
PictureIds InitImageIds(float scaleX);

}  // namespace resources
