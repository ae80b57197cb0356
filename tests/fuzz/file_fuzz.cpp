#include "file_fuzz.h"

#include <fstream>

namespace fuzzing {

void WriteInputFile(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

}  // namespace fuzzing
