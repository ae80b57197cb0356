#include "resources/resource_store.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <unordered_map>
#include <vector>

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

// A picture's bytes are read once, to write its file or to decode it, and the kernel maps the
// program's file in 64 KB runs around every page read: without this the whole pack (3.9 MB)
// would come to stay resident over a game. Its pages are the program file's own and never
// written, so giving them back loses nothing; a later read maps them again from the file.
void ReturnPackPages() {
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(korvash_picture_pack_begin);
    const auto end = reinterpret_cast<std::uintptr_t>(korvash_picture_pack_end);
    // Whole pages only: the pack's first and last pages also hold the program's other data.
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t last = end / page * page;
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

// The same few pictures are written again and again (a hand's cards, its buttons), and
// reading one from the pack again maps its run of the program file again, only for the next
// picture to give the pages back. So a picture is read from the pack once, when it is first
// written, and written from a copy after that: all the numbered pictures together are about a
// megabyte. A larger picture is written from the pack and its pages given back at once.
constexpr std::size_t kLargestCopiedPicture = 64 * 1024;

std::span<const uint8_t> WrittenBytes(std::span<const uint8_t> inPack) {
    if (inPack.size() > kLargestCopiedPicture) return inPack;
    // A picture's place in the pack names it: the pack does not change while the program runs.
    static std::unordered_map<const uint8_t*, std::vector<uint8_t>> copies;
    auto [copy, made] = copies.try_emplace(inPack.data());
    if (made) {
        copy->second.assign(inPack.begin(), inPack.end());
        // The first pictures written come soon after the table's design pictures are decoded.
        ReturnPackPages();
    }
    return copy->second;
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
    const auto found = findResource(resType, id);
    if (!found) return false;
    const std::span<const uint8_t> bytes = WrittenBytes(*found);
    // Every picture shown goes through here (every card dealt), so the file is written with
    // the three calls it needs instead of a stream with its buffer and locale. The flags are
    // the stream's own for a truncating binary write.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool written = true;
    for (std::span<const uint8_t> rest = bytes; written && !rest.empty();) {
        const ssize_t put = ::write(fd, rest.data(), rest.size());
        if (put < 0 && errno == EINTR) continue;
        written = put > 0;
        if (written) rest = rest.subspan(std::size_t(put));
    }
    const bool closed = ::close(fd) == 0;
    if (bytes.data() == found->data()) ReturnPackPages();
    return closed && written;
}

}  // namespace resources
