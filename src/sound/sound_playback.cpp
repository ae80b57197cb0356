#include "sound/sound_playback.h"

#include "platform/files/windows_path.h"
#include "platform/runtime/failure.h"

namespace sound {
namespace {

using platform::RuntimeFailure;

constexpr std::uint32_t DSBCAPS_CTRL3D = platform::Control3D;
constexpr std::uint32_t DSBCAPS_CTRLFREQUENCY = platform::ControlFrequency;
constexpr std::uint32_t DSBCAPS_CTRLPAN = platform::ControlPan;
constexpr std::uint32_t DSBCAPS_CTRLVOLUME = platform::ControlVolume;
constexpr platform::CooperativeLevel DSSCL_PRIORITY = platform::CooperativeLevel::Priority;

platform::SoundBufferDescription sharedBufferDescription() {
    return {DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D, QStringLiteral("DS3DALG_NO_VIRTUALIZATION")};
}

platform::SoundBufferDescription voiceBufferDescription() {
    return {DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY, QString()};
}

constexpr std::int32_t FullLevel = 3000;
constexpr int VoiceVolume = -800;
// The right-hand seat speaks a little quieter than the others.
constexpr int RightSeatVoiceVolume = -1200;

std::unique_ptr<platform::SoundBuffer> createBufferFromFile(
    SoundContext& ctx, const QString& file, const platform::SoundBufferDescription& description) {
    if (!ctx.state.g_oDirectSound) return nullptr;
    try {
        return ctx.state.g_oDirectSound->createBuffer(platform::mapWindowsPath(file), description);
    } catch (const RuntimeFailure&) {
        return nullptr;
    }
}

// Runs one step of the seat voice, whose every step goes on after a failure of the one before.
template <typename Step>
void ignoringFailure(Step&& step) {
    try {
        step();
    } catch (const RuntimeFailure&) {
    }
}

}  // namespace

void InitSoundPaths(SoundContext& ctx) {
    SoundState& s = ctx.state;
    s.g_aSoundFile[SoundTableMusic] = ctx.programFolder + "\\..\\common\\music\\majiang.wav";
    s.g_aSoundFile[SoundTurnWarning] = ctx.programFolder + "\\..\\common\\music\\tishi.wav";
    s.g_sPkPath = ctx.programFolder + "\\..\\common\\pk\\";
    s.g_sCommonPath = ctx.programFolder + "\\..\\common\\";
    s.g_sOskerraPath = ctx.programFolder + "\\..\\common\\Oskerra\\";
}

void InitSound(SoundContext& ctx, platform::OwnerWindow tableWindow) {
    SoundState& s = ctx.state;
    try {
        // The root object is the context's device facility, which always exists.
        s.g_oDirectSound = ctx.device.openDefaultOutput();
        s.g_oDirectSound->setCooperativeLevel(tableWindow, DSSCL_PRIORITY);
    } catch (const RuntimeFailure&) {
        s.g_bSoundOn = false;
    }
}

void PlaySoundFile(SoundContext& ctx, const QString& file, bool loop) {
    SoundState& s = ctx.state;
    try {
        if (s.g_oSoundBuffer) {
            s.g_oSoundBuffer->stop();
            s.g_oSoundBuffer.reset();
        }
    } catch (const RuntimeFailure&) {
        s.g_bSoundOn = false;
        return;
    }
    s.g_oSoundBuffer = createBufferFromFile(ctx, file, sharedBufferDescription());
    if (!s.g_oSoundBuffer) return;
    ignoringFailure([&] {
        s.g_oSoundBuffer->play(loop ? platform::PlayMode::Looping : platform::PlayMode::Once);
    });
}

void StopSound(SoundContext& ctx) {
    SoundState& s = ctx.state;
    if (!s.g_oSoundBuffer) return;
    try {
        s.g_oSoundBuffer->stop();
        s.g_oSoundBuffer->setPlayPosition(0);
    } catch (const RuntimeFailure&) {
        s.g_bSoundOn = false;
    }
}

void SetSoundVolume(SoundContext& ctx, std::int32_t level) {
    SoundState& s = ctx.state;
    if (!s.g_oSoundBuffer || level < 0 || level > FullLevel) return;
    try {
        s.g_oSoundBuffer->setVolume(level - FullLevel);
    } catch (const RuntimeFailure&) {
        s.g_bSoundOn = false;
    }
}

void PlaySeatVoice(SoundContext& ctx, const QString& file, std::int16_t seat) {
    bool minimized = false;
    ignoringFailure([&] { minimized = ctx.tableWindowMinimized && ctx.tableWindowMinimized(); });
    if (minimized) return;
    if (seat < 0 || seat > 3) return;

    std::unique_ptr<platform::SoundBuffer>& voice = ctx.state.g_aVoiceBuffer[std::size_t(seat)];
    if (voice) ignoringFailure([&] { voice->stop(); });
    voice.reset();
    voice = createBufferFromFile(ctx, file, voiceBufferDescription());
    if (!voice) return;
    ignoringFailure([&] { voice->play(platform::PlayMode::Once); });
    ignoringFailure([&] { voice->setVolume(seat == 3 ? RightSeatVoiceVolume : VoiceVolume); });
}

void StopMusic(SoundContext&) {}

void PlayEffectSound(SoundContext& ctx, const QString& pathInProgramFolder) {
    if (!ctx.state.g_bEffectsOn) return;
    ctx.state.g_sSoundPath = ctx.programFolder + pathInProgramFolder;
    PlaySoundFile(ctx, ctx.state.g_sSoundPath, false);
    SetSoundVolume(ctx, FullLevel);
}

}  // namespace sound
