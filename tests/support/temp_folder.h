#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// Where tests may write: $KORVASH_TEST_TMP, else the system's temporary folder.
inline std::filesystem::path testRoot() {
    const char* base = std::getenv("KORVASH_TEST_TMP");
    return base && *base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
}

// A fresh, empty folder for one test, removed again afterwards.
class TempFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path root = testRoot();
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "." + test->name() + "." +
                           std::to_string(::getpid());
        for (char& ch : name)
            if (ch == '/') ch = '_';
        folder_ = root / name;
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::filesystem::path& folder() const { return folder_; }

    std::filesystem::path writeFile(const std::filesystem::path& relative,
                                    std::string_view bytes) const {
        const std::filesystem::path path = folder_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path;
    }

    static std::string readFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    std::filesystem::path folder_;
};
