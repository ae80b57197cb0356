#include "resources/encoding/picture_pack.h"

#include <gtest/gtest.h>

namespace resources {
namespace {

std::vector<uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> samplePack() {
    PicturePackWriter writer;
    writer.add("GIF", "450", bytesOf("bubble"));
    writer.add("gif", "18", bytesOf("back"));
    writer.add("DESIGN", "table", bytesOf("felt"));
    writer.add("GIF", "17", {});
    return writer.finish();
}

std::string textOf(std::optional<std::span<const uint8_t>> bytes) {
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

TEST(PicturePack, FindsEntriesByTypeAndName) {
    const std::vector<uint8_t> bytes = samplePack();
    const auto pack = PicturePack::parse(bytes);
    ASSERT_TRUE(pack);
    EXPECT_EQ(textOf(pack->find("GIF", "450")), "bubble");
    EXPECT_EQ(textOf(pack->find("Gif", "18")), "back");
    EXPECT_EQ(textOf(pack->find("design", "table")), "felt");
    EXPECT_EQ(textOf(pack->find("GIF", "17")), "");
    EXPECT_EQ(textOf(pack->find("GIF", "451")), "<none>");
    EXPECT_EQ(textOf(pack->find("DESIGN", "TABLE")), "<none>");
    EXPECT_EQ(pack->names("GIF"), (std::vector<std::string>{"17", "18", "450"}));
}

TEST(PicturePack, RefusesEveryTruncationAndABadMagic) {
    const std::vector<uint8_t> bytes = samplePack();
    // The last entry's data ends the pack, so every cut loses part of some entry.
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(PicturePack::parse(std::span(bytes.data(), length))) << length;
    std::vector<uint8_t> bad = bytes;
    bad[0] = 'X';
    EXPECT_FALSE(PicturePack::parse(bad));
}

TEST(PicturePack, RefusesEntriesThatPointOutside) {
    std::vector<uint8_t> bytes = samplePack();
    // The first entry's length field sits after "KPK1", the count, two short texts and its
    // offset: make it huge.
    const size_t lengthAt = 4 + 4 + 1 + bytes[8] + 1 + bytes[9 + bytes[8]] + 4;
    bytes[lengthAt + 3] = 0x7f;
    EXPECT_FALSE(PicturePack::parse(bytes));
}

}  // namespace
}  // namespace resources
