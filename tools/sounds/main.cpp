// korvash-make-sounds: writes the table's sound files, generated tones, into a shared sound
// folder (the "common" folder beside the program folder):
//
//   korvash-make-sounds <common folder> [--phrases N]
//
// music/majiang.wav (the looping table music), music/tishi.wav (the turn warning), the effects
// in pk/, the deal sound voices/sys010.wav and the spoken quick phrases of the assigned voice
// set (N per list, 20 unless told). Existing files are replaced.
#include <QString>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/files/file_system.h"
#include "platform/sound/wav_file.h"
#include "table_sounds.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: korvash-make-sounds <common folder> [--phrases N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) return usage();
    int phrases = 20;
    if (argc == 4) {
        if (std::string(argv[2]) != "--phrases") return usage();
        bool ok = false;
        phrases = QString(argv[3]).toInt(&ok);
        if (!ok || phrases < 0 || phrases > 99) return usage();
    }
    const std::filesystem::path root = argv[1];
    int written = 0;
    for (const sounds::SoundFile& file : sounds::tableSounds(phrases)) {
        const std::filesystem::path path = root / platform::toPath(file.path);
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        const std::vector<std::uint8_t> bytes = platform::encodeWav(file.sound);
        if (!platform::writeFileAtomically(
                path,
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))) {
            std::fprintf(stderr, "korvash-make-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
        ++written;
    }
    std::printf("korvash-make-sounds: %d files in %s\n", written, root.c_str());
    return 0;
}
