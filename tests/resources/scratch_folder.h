#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Where tests may write: $KORVASH_TEST_TMP, else the system's temporary folder.
inline std::filesystem::path testRoot() {
    const char* base = std::getenv("KORVASH_TEST_TMP");
    return base && *base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
}

// A fresh folder for one test under $KORVASH_TEST_TMP, removed afterwards unless kept.
class ScratchFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "." + test->name() + "." +
                           std::to_string(::getpid());
        for (char& ch : name)
            if (ch == '/') ch = '_';
        folder_ = testRoot() / name;
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::filesystem::path& folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
};
