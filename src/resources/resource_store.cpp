#include "resources/resource_store.h"

#include <algorithm>
#include <charconv>
#include <fstream>

#include "resources/encoding/picture_pack.h"

extern "C" const uint8_t korvash_picture_pack_begin[];
extern "C" const uint8_t korvash_picture_pack_end[];

namespace resources {
namespace {

const PicturePack& embeddedPack() {
    static const PicturePack pack = [] {
        const std::span<const uint8_t> bytes(
            korvash_picture_pack_begin,
            size_t(korvash_picture_pack_end - korvash_picture_pack_begin));
        // A pack that does not parse is a broken build; the program then has no pictures and
        // every control keeps its own, as with any missing picture.
        return PicturePack::parse(bytes).value_or(PicturePack{});
    }();
    return pack;
}

}  // namespace

std::optional<std::span<const uint8_t>> findResource(std::string_view type, int id) {
    return embeddedPack().find(type, std::to_string(id));
}

std::optional<std::span<const uint8_t>> findResource(std::string_view type, std::string_view name) {
    return embeddedPack().find(type, name);
}

std::optional<std::span<const uint8_t>> findDesignPicture(std::string_view name) {
    return embeddedPack().find(kDesignType, name);
}

std::vector<int> resourceIds(std::string_view type) {
    std::vector<int> ids;
    for (const std::string& name : embeddedPack().names(type)) {
        int id = 0;
        const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), id);
        if (error == std::errc{} && end == name.data() + name.size()) ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool SaveResToFile(int id, std::string_view resType, const std::filesystem::path& path) {
    const auto bytes = findResource(resType, id);
    if (!bytes) return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
    file.close();
    return !file.fail();
}

}  // namespace resources
