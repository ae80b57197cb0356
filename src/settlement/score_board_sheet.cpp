// The settlement sheet on the score board.
#include "client/client.h"
#include "client/main_form.h"
#include "connection/dialog_look.h"
#include "settlement/hand_history.h"
#include "settlement/score_window.h"
#include "settlement/settlement_steps.h"
#include "settlement/skip_step.h"

namespace settlement {

Sheet BuildSheetFromHand(client::Client& c, const std::array<PlacedResult, 4>& frames) {
    auto& s = c.s;
    SheetInput in;
    in.frames = frames;
    in.startGold = s.g_aStartGold;
    in.scoreLines = s.g_aScoreLines;
    in.prizeAmount = s.g_aPrizeAmount;
    in.beishu = s.beishu;
    in.beishuText = s.g_sBeishuText;
    in.note = s.g_sResultNote;
    Sheet sheet = BuildSheet(in);

    s.g_nBaseGold = sheet.baseGold;
    bool propsUsed = false;
    for (std::size_t k = 0; k < 4; ++k) {
        if (!sheet.propsTaken[k]) continue;
        s.g_aPrizeAmount[k] = 0;
        s.g_aScoreLines[k].clear();
        propsUsed = true;
    }
    if (propsUsed) s.g_aPrizeInfo = {};
    return sheet;
}

void WriteSheetToScoreBoard(client::Client& c, const Sheet& sheet) {
    auto& board = *c.Score;
    for (int j = 0; j < 8; ++j) {
        for (const QString& line : sheet.lines[std::size_t(j)]) board.State[j].addItem(line);
    }
    for (int k = 0; k < 4; ++k) board.State[k].setForeColor(sheet.colour[std::size_t(k)]);
}

void ShowScoreBoard(client::Client& c) {
    if (c.s.g_bBossKey) return;
    Skipping([&] {
        auto& board = *c.Score;
        for (int k = 0; k < 4; ++k) {
            const state::ScoreHead& head = c.s.g_aScoreHeads[std::size_t(k)];
            Skipping([&] { board.ID[k].setCaption(head.nickname); });
            Skipping([&] {
                if (!head.avatarIndex.isEmpty()) {
                    ShowAvatar(c, head.avatarIndex, board.Tou[k], AvatarFile::Temporary);
                }
            });
        }
        Skipping([&] { connection::CentreOverTable(c, board); });
        board.show();
        board.zOrder(0);
    });
}

}  // namespace settlement
