#include "resources/picture_ids.h"

namespace resources {

PictureIds InitImageIds(float scaleX) {
    PictureIds ids;
    const auto text = [](int id) { return QString::number(id); };

    // Cards. The full set is numbered by the card code itself; suit 0 runs on to 18 and so
    // also fills the two jokers and the back. The reduced set numbers each suit from its ace.
    if (scaleX == 1.0f) {
        for (int s = 0; s <= 3; ++s) {
            const int lastRank = s == 0 ? 18 : 15;
            for (int r = 3; r <= lastRank; ++r) ids.g_aIdCards[16 * s + r] = text(16 * s + r);
        }
    } else {
        for (int s = 0; s <= 3; ++s)
            for (int r = 3; r <= 15; ++r)
                ids.g_aIdCards[16 * s + r] =
                    text(r <= 13 ? 300 + 13 * s + r : 300 + 13 * s + r - 13);
        ids.g_aIdCards[16] = text(353);
        ids.g_aIdCards[17] = text(354);
        ids.g_aIdCards[18] = text(18);
    }

    for (int i = 0; i <= 12; ++i) {
        ids.g_aIdPile1[i] = text(900 + i);
        ids.g_aIdPile1Small[i] = text(915 + i);
        ids.g_aIdPile2[i] = text(930 + i);
        ids.g_aIdPile2Small[i] = text(945 + i);
        ids.g_aIdPile3[i] = text(960 + i);
        ids.g_aIdPile3Small[i] = text(975 + i);
    }

    for (int i = 0; i <= 26; ++i) ids.g_aIdCallBadge[i] = text(450 + i);
    for (int i = 0; i <= 19; ++i)
        ids.g_aIdAnNiu[i] = text(scaleX == 1.0f || i < 2 ? 150 + i : 281 + i);
    for (int i = 0; i <= 7; ++i) ids.g_aIdDialog[i] = text(170 + i);
    for (int i = 0; i <= 14; ++i) ids.g_aIdOperation[i] = text(178 + i);
    for (int i = 0; i <= 17; ++i) ids.g_aIdJiaofen[i] = text(430 + i);
    for (int i = 0; i <= 19; ++i) ids.g_aIdAvatar[i] = text(240 + i);
    for (int i = 0; i <= 3; ++i) ids.g_aIdReadyBadge[i] = text(280 + i);
    ids.g_aIdReadyBadge[3] = text(280);
    for (int i = 0; i <= 2; ++i) ids.g_aIdPlaceBadge[i] = text(360 + i);
    for (int i = 0; i <= 12; ++i) ids.g_aIdPaneButtons[i] = text(850 + i);
    for (int i = 0; i <= 5; ++i) ids.g_aIdVideoBack[i] = text(870 + i);
    return ids;
}

}  // namespace resources
