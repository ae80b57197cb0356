// Stands in for libFuzzer where it is not available (gcc): replays the files and the files of the
// folders it is given (the seed corpus), then feeds the target mutations of them (bytes changed,
// cut short, a stretch repeated) or, with no seeds, random bytes. Understands the libFuzzer flags
// the tests pass (-runs=, -seed=, -max_len=) and ignores the others.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

long flagValue(const char* arg, const char* name, long fallback) {
    const std::size_t length = std::strlen(name);
    return std::strncmp(arg, name, length) == 0 ? std::strtol(arg + length, nullptr, 10) : fallback;
}

Bytes readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void collectSeeds(const std::filesystem::path& path, std::vector<Bytes>& seeds) {
    if (std::filesystem::is_directory(path)) {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) seeds.push_back(readFile(file));
    } else if (std::filesystem::exists(path)) {
        seeds.push_back(readFile(path));
    }
}

Bytes mutate(Bytes input, std::mt19937_64& random, std::size_t maxLength) {
    const int edits = 1 + int(random() % 8);
    for (int e = 0; e < edits; ++e) {
        switch (random() % 4) {
            case 0:  // a byte changed
            case 1:
                if (!input.empty()) input[random() % input.size()] = std::uint8_t(random());
                break;
            case 2:  // cut short
                if (!input.empty()) input.resize(random() % input.size());
                break;
            default:  // a stretch repeated at its end
                if (!input.empty() && input.size() < maxLength) {
                    const std::size_t from = random() % input.size();
                    const std::size_t length = 1 + random() % (input.size() - from);
                    input.insert(input.begin() + std::ptrdiff_t(from + length),
                                 input.begin() + std::ptrdiff_t(from),
                                 input.begin() + std::ptrdiff_t(from + length));
                }
                break;
        }
    }
    if (input.size() > maxLength) input.resize(maxLength);
    return input;
}

}  // namespace

int main(int argc, char** argv) {
    long runs = 1000, seed = 1, maxLength = 4096;
    std::vector<Bytes> seeds;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') {
            runs = flagValue(argv[i], "-runs=", runs);
            seed = flagValue(argv[i], "-seed=", seed);
            maxLength = flagValue(argv[i], "-max_len=", maxLength);
        } else {
            collectSeeds(argv[i], seeds);
        }
    }
    for (const Bytes& input : seeds) LLVMFuzzerTestOneInput(input.data(), input.size());

    std::mt19937_64 random(static_cast<std::uint64_t>(seed));
    for (long run = 0; run < runs; ++run) {
        Bytes input;
        if (!seeds.empty()) {
            input = mutate(seeds[random() % seeds.size()], random, std::size_t(maxLength));
        } else {
            input.resize(random() % std::size_t(maxLength + 1));
            for (auto& byte : input) byte = std::uint8_t(random());
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("Done %ld runs\n", runs + long(seeds.size()));
    return 0;
}
