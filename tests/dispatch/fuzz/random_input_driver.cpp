// Stands in for libFuzzer where it is not available: feeds pseudo-random inputs to the fuzz
// target. Understands the libFuzzer flags the tests pass (-runs=, -seed=, -max_len=) and ignores
// the others; file arguments are replayed as inputs.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Server types the client knows, so that random frames reach the handlers and not only the
// plug-in routing.
constexpr std::uint8_t kKnownTypes[] = {1,  2,  3,  4,  5,  6,  9,  16, 18, 19,
                                        20, 21, 22, 23, 29, 44, 45, 46, 91, 92};

long flagValue(const char* arg, const char* name, long fallback) {
    const std::size_t length = std::strlen(name);
    return std::strncmp(arg, name, length) == 0 ? std::strtol(arg + length, nullptr, 10) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    long runs = 1000, seed = 1, maxLength = 4353;
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
        std::vector<std::uint8_t> input(1 + random() % static_cast<std::uint64_t>(maxLength));
        for (auto& byte : input) byte = static_cast<std::uint8_t>(random());
        // Most frames get a known type and a small sub-code, so the handlers' paths are taken.
        for (std::size_t at = 1; at + 3 < input.size(); at += 272) {
            if (random() % 4 != 0) input[at + 3] = kKnownTypes[random() % std::size(kKnownTypes)];
            if (random() % 2 != 0 && at + 15 < input.size()) input[at + 15] = random() % 4;
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("Done %ld runs\n", runs);
    return 0;
}
