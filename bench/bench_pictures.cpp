// Showing a picture goes through a temporary file: write the resource, load it, delete the
// file. One card face must take well under half a millisecond, through either loader.
#include <benchmark/benchmark.h>

#include "cards/card_value.h"
#include "cards/display/card_picture_display.h"
#include "client/main_form.h"
#include "connection/resource_pictures.h"
#include "platform/forms/image.h"
#include "resources/picture_ids.h"
#include "support/client_harness.h"

namespace {

constexpr int kAceOfHearts = 46;

class Sheet : public forms::Form {
  public:
    explicit Sheet(forms::Forms& forms) : Form(forms) {}
    forms::Image Img{*this, "Img"};
};

void LoadResourcePictureOfACard(benchmark::State& state) {
    support::ClientHarness harness;
    client::Client& c = harness.make();
    c.ids = resources::InitImageIds(1.0f);
    Sheet& sheet = c.forms.create<Sheet>();
    const QString entry = c.ids.g_aIdCards[kAceOfHearts];
    const QString path = connection::TempPicturePath(c, kAceOfHearts);
    for (auto _ : state) {
        sheet.Img.setPicture({});
        if (!connection::LoadResourcePicture(c, entry, "GIF", path, sheet.Img, 0) ||
            sheet.Img.picture().isEmpty()) {
            state.SkipWithError("the card picture was not shown");
            break;
        }
    }
}
BENCHMARK(LoadResourcePictureOfACard)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);  // the median is the figure to read

void ShowCardPictureInTheHand(benchmark::State& state) {
    support::ClientHarness harness;
    client::Client& c = harness.make();
    c.ids = resources::InitImageIds(1.0f);
    forms::Image& card = c.MainForm->cardImage0[0];
    for (auto _ : state) {
        card.setPicture({});
        cards::ShowCardPicture(c, cards::SuitHearts, cards::RankAce, 0, 0, kAceOfHearts, 0);
        if (card.picture().isEmpty()) {
            state.SkipWithError("the card picture was not shown");
            break;
        }
    }
}
BENCHMARK(ShowCardPictureInTheHand)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
