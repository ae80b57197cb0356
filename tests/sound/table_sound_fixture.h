#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "connection/client_loading.h"
#include "platform/sound/wav_file.h"
#include "support/client_harness.h"

// A table client started by the real start-up on the recording device, with the shared sound
// folder (music and a few effects) beside its program folder.
class TableSoundTest : public ::testing::Test {
  protected:
    static constexpr const char* kEffect = "\\..\\common\\pk\\sys020.wav";

    void SetUp() override {
        support::ensureApplication();
        for (const char* file : {"music/majiang.wav", "pk/sys020.wav", "pk/sys080.wav"})
            writeSound(harness.folder / "common" / file);
    }

    static void writeSound(const std::filesystem::path& file) {
        platform::WavSound sound;
        sound.format = {1, 11025, 8};
        sound.samples.assign(64, 0x80);
        const std::vector<std::uint8_t> bytes = platform::encodeWav(sound);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    bool startTable() { return support::loadTable(harness); }
    client::Client& c() { return *harness.client; }
    QString programPath(const char* inProgramFolder) { return c().App_Path() + inProgramFolder; }

    support::ClientHarness harness;
};
