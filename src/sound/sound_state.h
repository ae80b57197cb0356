#pragma once

#include <QString>
#include <array>
#include <memory>

#include "platform/sound/sound_device.h"

namespace sound {

// Indexes of `g_aSoundFile`.
inline constexpr int SoundTableMusic = 1;
inline constexpr int SoundTurnWarning = 6;

// The sound engine's variables. The switches are off until start-up turns them on; the settings
// window toggles them.
struct SoundState {
    // The table music.
    bool g_bMusicOn = false;
    // Sound effects and seat voices; the callers test it, the engine does not.
    bool g_bEffectsOn = false;
    // The sound device as a whole; a failing device clears it.
    bool g_bSoundOn = false;

    // Full paths, Windows style, under the program folder; see InitSoundPaths.
    std::array<QString, 7> g_aSoundFile;
    QString g_sPkPath;
    QString g_sCommonPath;
    QString g_sOskerraPath;
    // The effect a caller is about to play.
    QString g_sSoundPath;

    // Declared before the buffers so that they are released before the device.
    std::unique_ptr<platform::SoundOutput> g_oDirectSound;
    // Carries the table music and every effect: a new sound always replaces the one before.
    std::unique_ptr<platform::SoundBuffer> g_oSoundBuffer;
    // One per relative seat, for that seat's spoken phrases.
    std::array<std::unique_ptr<platform::SoundBuffer>, 4> g_aVoiceBuffer;
};

}  // namespace sound
