#include "table_sounds.h"

#include <array>
#include <cmath>

#include "synth.h"

namespace sounds {
namespace {

constexpr std::uint32_t EffectRate = 22050;
constexpr std::uint32_t VoiceRate = 11025;

double note(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// A light pentatonic tune over a slow bass, about eight seconds, that loops without a seam.
platform::WavSound tableMusic() {
    constexpr double step = 0.25;
    const std::array<int, 32> melody = {3,  5,  7,  10, 12, 10, 7,  5,  3, 7, 5, 0, 3, 5, 7, 3,
                                        10, 12, 15, 12, 10, 7,  10, 12, 7, 5, 3, 5, 7, 5, 3, -2};
    const std::array<int, 4> bass = {-21, -16, -14, -19};
    Synth tune(EffectRate);
    for (int pitch : melody) tune.tone(step, note(pitch), note(pitch), 0.35, 5.0, 0.25);
    for (std::size_t bar = 0; bar < bass.size(); ++bar) {
        Synth low(EffectRate);
        low.tone(step * 8, note(bass[bar]), note(bass[bar]), 0.3, 0.8, 0.5);
        tune.mix(low, double(bar) * step * 8);
    }
    return tune.toWav(16);
}

platform::WavSound effect(auto&& build, std::uint16_t bits = 16) {
    Synth synth(EffectRate);
    build(synth);
    return synth.toWav(bits);
}

// A short babble of syllables whose pitch tells the voice (sex and id) and whose rhythm tells
// the phrase.
platform::WavSound spokenPhrase(int voiceId, int sex, int list, int phrase) {
    const double base = (sex == 1 ? 120.0 : 220.0) * (1.0 + voiceId / 200.0);
    const int syllables = 2 + (phrase + list) % 4;
    Synth voice(VoiceRate);
    for (int k = 0; k < syllables; ++k) {
        const double rise = ((phrase * 7 + k * 3) % 5 - 2) * 0.06;
        voice.tone(0.14, base * (1 + rise), base * (1 - rise), 0.6, 3.0, 0.8);
        voice.rest(0.04);
    }
    return voice.toWav(8);
}

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, '0');
}

}  // namespace

std::vector<SoundFile> tableSounds(int phraseCount) {
    std::vector<SoundFile> files;
    files.push_back({"music/majiang.wav", tableMusic()});
    files.push_back({"music/tishi.wav", effect([](Synth& s) {
                         s.tone(0.08, 1000, 1000, 0.6, 2);
                         s.rest(0.06);
                         s.tone(0.08, 1000, 1000, 0.6, 2);
                     })});
    files.push_back({"pk/sys020.wav", effect([](Synth& s) { s.tone(0.05, 1500, 1700, 0.5, 30); })});
    files.push_back({"pk/sys030.wav", effect([](Synth& s) { s.tone(0.05, 900, 800, 0.5, 30); })});
    files.push_back({"pk/sys060.wav", effect([](Synth& s) {
                         Synth boom(EffectRate);
                         boom.tone(0.45, 110, 70, 0.7, 6, 0.6);
                         s.noise(0.4, 0.5, 0.7, 8);
                         s.mix(boom, 0);
                     })});
    files.push_back({"pk/sys070.wav", effect([](Synth& s) {
                         s.noise(0.03, 0.4, 0.3, 20);
                         s.tone(0.1, 600, 500, 0.5, 25);
                     })});
    files.push_back({"pk/sys080.wav", effect([](Synth& s) {
                         s.tone(0.12, note(7), note(7), 0.5, 6);
                         s.tone(0.16, note(0), note(0), 0.5, 6);
                     })});
    files.push_back({"pk/sys110.wav", effect([](Synth& s) { s.tone(0.2, 500, 1200, 0.5, 3); })});
    files.push_back({"pk/sys121.wav", effect([](Synth& s) {
                         for (int pitch : {3, 7, 10, 15})
                             s.tone(0.15, note(pitch), note(pitch), 0.5, 4);
                     })});
    files.push_back({"pk/sys150.wav", effect([](Synth& s) {
                         for (int pitch : {10, 7, 3})
                             s.tone(0.18, note(pitch), note(pitch), 0.5, 4);
                     })});
    files.push_back(
        {"voices/sys010.wav", effect([](Synth& s) { s.noise(0.15, 0.6, 0.85, 12); }, 8)});

    // The voice set the table assigns ("27", ids 10 to 40 per sex): list 1 lies in the Oskerra
    // folder, list 2 in the shared folder itself.
    for (int voiceId : {10, 20, 30, 40}) {
        for (int sex : {0, 1}) {
            for (int list : {1, 2}) {
                const QString folder = list == 1 ? "Oskerra/27/" : "27/";
                for (int phrase = 1; phrase <= phraseCount; ++phrase) {
                    const QString name = "v" + QString::number(voiceId) + "0" +
                                         QString::number(sex) + twoDigits(list) +
                                         twoDigits(phrase) + ".wav";
                    files.push_back({folder + name, spokenPhrase(voiceId, sex, list, phrase)});
                }
            }
        }
    }
    return files;
}

}  // namespace sounds
