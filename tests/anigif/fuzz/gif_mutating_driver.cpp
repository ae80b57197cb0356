// Stands in for libFuzzer where it is not available: feeds the target GIFs made by hand and then
// mutated (bytes flipped, cut short, blocks repeated), so that the inputs reach the strip builder
// and drawing rather than failing at the signature. Understands -runs=, -seed= and -max_len=;
// file arguments are replayed as inputs.
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "anigif/gif_builder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

long flagValue(const char* arg, const char* name, long fallback) {
    const std::size_t length = std::strlen(name);
    return std::strncmp(arg, name, length) == 0 ? std::strtol(arg + length, nullptr, 10) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    long runs = 1000, seed = 1, maxLength = 4096;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') {
            runs = flagValue(argv[i], "-runs=", runs);
            seed = flagValue(argv[i], "-seed=", seed);
            maxLength = flagValue(argv[i], "-max_len=", maxLength);
        } else {
            files.emplace_back(argv[i]);
        }
    }
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    if (!files.empty()) return 0;
    std::mt19937_64 random(static_cast<std::uint64_t>(seed));
    for (long run = 0; run < runs; ++run) {
        std::vector<std::uint8_t> input = anigif_test::randomGif(random);
        if (run % 5 != 0) anigif_test::mutateGif(input, random, std::size_t(maxLength));
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("Done %ld runs\n", runs);
    return 0;
}
