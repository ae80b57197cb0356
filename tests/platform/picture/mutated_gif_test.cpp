// Valid GIFs mutated at random with a fixed seed: whatever the decoder makes of them, it keeps
// inside the plane, and a refused file leaves the plane as it was.
#include <gtest/gtest.h>

#include <random>

#include "anigif/gif_builder.h"
#include "gif_samples.h"

namespace {

using gif_test::kUntouched;
using gif_test::TestPlane;

bool allUntouched(const TestPlane& plane) {
    for (const std::uint8_t pixel : plane.pixels()) {
        if (pixel != kUntouched) return false;
    }
    return true;
}

TEST(MutatedGif, DecodesWithinThePlaneOrIsRefusedUntouched) {
    std::mt19937_64 random(29);
    for (int run = 0; run < 3000; ++run) {
        std::vector<std::uint8_t> gif = anigif_test::randomGif(random);
        anigif_test::mutateGif(gif, random, 4096);
        // A plane the size of most screens, and one smaller than most images.
        for (const auto& [width, height] : {std::pair{40, 40}, std::pair{7, 5}}) {
            TestPlane plane(width, height);
            const bool accepted = platform::DecodeGifIndices(gif, plane.view());
            ASSERT_TRUE(plane.marginsUntouched()) << "run " << run;
            ASSERT_TRUE(accepted || allUntouched(plane)) << "run " << run;
        }
    }
}

}  // namespace
