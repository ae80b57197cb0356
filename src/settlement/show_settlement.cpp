#include "settlement/show_settlement.h"

#include "client/client.h"
#include "client/main_form.h"
#include "settlement/hand_result.h"
#include "settlement/hero_window.h"
#include "settlement/settlement_steps.h"
#include "settlement/skip_step.h"

namespace settlement {

namespace {

constexpr int FramesPerHand = 4;

void RunSettlement(client::Client& c) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    for (int k = 0; k < 3; ++k) Skipping([&] { table.shanImage[k].setVisible(false); });
    for (int k = 0; k < 4; ++k) Skipping([&] { table.first[k].setVisible(false); });

    std::array<PlacedResult, 4> frames;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i].result = DecodeHandResult(s.g_aResultFrames[i]);
        frames[i].column = RelativeSeat(frames[i].result.seat, s.custom[0].seat);
    }
    const Sheet sheet = BuildSheetFromHand(c, frames);
    Skipping([&] { WriteSheetToScoreBoard(c, sheet); });
    for (int k = 0; k < 4; ++k) Skipping([&] { c.Hero->sunScore[k].setVisible(true); });

    for (const PlacedResult& f : frames) {
        if (f.column != 0) RevealHandLeft(c, f);
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        ApplyResultToSeat(c, frames[i], sheet.signedFinal[i]);
    }
    Skipping([&] { CountHand(c); });
    s.nResultFrames = 0;
    ShowScoreBoard(c);
    CloseHand(c);
}

}  // namespace

void ShowSettlement(client::Client& c, state::Frame& frame) {
    auto& s = c.s;
    for (int k = 0; k < 4; ++k) Skipping([&] { c.MainForm->Img_bao_shuai[k].setVisible(false); });
    if (s.nResultFrames < 0 || s.nResultFrames >= FramesPerHand) s.nResultFrames = 0;
    s.g_aResultFrames[std::size_t(s.nResultFrames)] = frame;
    ++s.nResultFrames;
    if (s.nResultFrames >= FramesPerHand) RunSettlement(c);
}

void StartResultCollection(client::Client& c) {
    c.s.nResultFrames = 0;
    c.s.g_nPropHandCount = 0;
}

}  // namespace settlement
