#pragma once

#include <QString>
#include <cstdint>

#include "platform/sound/sound_device.h"
#include "sound/sound_context.h"

// The table's sound engine. No sound failure is ever shown: a failing device clears
// `g_bSoundOn`, a missing or bad file makes its one call silent, and the client goes on.
namespace sound {

// Fills `g_aSoundFile` and the sound folders from the program folder. No path is tested.
void InitSoundPaths(SoundContext& ctx);

// Opens the default device for the table window. Any failure clears `g_bSoundOn`; a device
// already opened stays in `g_oDirectSound`.
void InitSound(SoundContext& ctx, platform::OwnerWindow tableWindow);

// Replaces whatever the shared buffer holds by `file` (a full Windows-style path) and plays it,
// looping or once. A file that cannot be played leaves the shared buffer empty and silent.
void PlaySoundFile(SoundContext& ctx, const QString& file, bool loop);

// Stops the shared buffer and rewinds it.
void StopSound(SoundContext& ctx);

// Sets the shared buffer's volume to `level` - 3000 for a level of 0..3000; other levels are
// ignored.
void SetSoundVolume(SoundContext& ctx, std::int32_t level);

// Plays `file` once on the voice buffer of the relative seat 0..3; nothing while the table
// window is minimised or for another seat value.
void PlaySeatVoice(SoundContext& ctx, const QString& file, std::int16_t seat);

// The music is the looping shared buffer, so there is no separate music to stop.
void StopMusic(SoundContext& ctx);

// The callers' convention for an effect: only while `g_bEffectsOn`, the program folder followed
// by `pathInProgramFolder` (e.g. "\..\common\pk\sys020.wav") goes into `g_sSoundPath` and plays
// once at full volume.
void PlayEffectSound(SoundContext& ctx, const QString& pathInProgramFolder);

}  // namespace sound
