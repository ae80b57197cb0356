#pragma once

#include <QString>
#include <vector>

#include "platform/sound/wav_file.h"

namespace sounds {

struct SoundFile {
    // Relative to the shared sound folder, "/"-separated.
    QString path;
    platform::WavSound sound;
};

// Every sound the table plays: the music and the turn warning, the effects, the deal sound and
// the spoken quick phrases of the assigned voice set (phrases 1..phraseCount of both lists).
std::vector<SoundFile> tableSounds(int phraseCount);

}  // namespace sounds
