#include "settlement/leave_reset.h"

#include "client/client.h"
#include "settlement/hero_window.h"
#include "settlement/score_window.h"

namespace settlement {

void ClearScoreBoardsOnLeave(client::Client& c) {
    auto& hero = *c.Hero;
    auto& board = *c.Score;
    for (int i = 0; i < 4; ++i) {
        hero.Tou[i].setPicture({});
        hero.ID[i].setCaption({});
        hero.Num.clear();
        hero.Grade[i].clear();
        hero.hide();
        board.Tou[i].setPicture({});
        board.ID[i].setCaption({});
        board.State[i].clear();
        board.State[i + 4].clear();
        board.hide();
        c.s.g_aSessionScore[std::size_t(i)] = 0;
        hero.sunScore[i].setVisible(false);
    }
}

}  // namespace settlement
