// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The gain staging with the generated media: the loudest moment of play stays below -1 dBFS,
// and neither the music nor the effects are turned down out of hearing.
#include "assets/soundunit.h"
#include "support/testdir.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string Media = std::string(QUELMARK_MEDIA_DIR) + "/";

double Dbfs(long peak) {
    return 20.0 * std::log10(std::max(peak, 1L) / 32768.0);
}

std::atomic<long> MusicPeak{0}, MixedSamples{0};

void MeasureMusic(void*, Uint8* stream, int length) {
    const auto* samples = reinterpret_cast<const int16_t*>(stream);
    for (int i = 0; i < length / 2; ++i)
        MusicPeak = std::max(MusicPeak.load(), std::abs(static_cast<long>(samples[i])));
    MixedSamples += length / 2;
}

// The peak of effects started in one mixer step, each scaled as the mixer scales a channel.
long PeakTogether(const std::vector<std::string>& names) {
    std::vector<long> sum;
    for (const std::string& name : names) {
        Mix_Chunk* chunk = Mix_LoadWAV((Media + name + ".wav").c_str());
        if (chunk == nullptr) {
            ADD_FAILURE() << "no " << name;
            continue;
        }
        const auto* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
        sum.resize(std::max<size_t>(sum.size(), chunk->alen / 2));
        for (size_t i = 0; i < chunk->alen / 2; ++i)
            sum[i] += samples[i] * EffectsGainAtFull / MIX_MAX_VOLUME;
        Mix_FreeChunk(chunk);
    }
    long peak = 0;
    for (long sample : sum)
        peak = std::max(peak, std::abs(sample));
    return peak;
}

TEST(Mix, TheLoudestMomentOfPlayStaysBelowMinusOneDbfs) {
    TTestDir dir;
    // The disk driver without its delay mixes a whole run of the song in a moment.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir.Path() / "audio.raw").c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    ASSERT_TRUE(InitSound());
    Mix_SetPostMix(MeasureMusic, nullptr);
    Mix_Music* music = Mix_LoadMUS((Media + "yeeha.xm").c_str());
    ASSERT_EQ(Mix_PlayMusic(music, -1), 0) << Mix_GetError();
    const long song = 2L * 22050 * 60;
    for (int waited = 0; MixedSamples < song && waited < 60000; waited += 10)
        SDL_Delay(10);
    Mix_HaltMusic();
    Mix_SetPostMix(nullptr, nullptr);
    Mix_FreeMusic(music);

    // One blow starts the swing, the thump of the one target in reach and its last sound, or
    // a ram's butt, the thump and the viking's scream; one more effect may be at its peak.
    long blow = 0, effect = 0;
    for (const auto& names : std::vector<std::vector<std::string>>{{"swhoosh0", "hit0", "sheep"},
                                                                   {"swhoosh0", "hit0", "ramdie"},
                                                                   {"rambite", "hit0", "scream"}})
        blow = std::max(blow, PeakTogether(names));
    for (const char* name : {"x2", "swhoosh0", "hit0", "scream", "sheep", "rambite", "ramdie"})
        effect = std::max(effect, PeakTogether({name}));
    Mix_CloseAudio();
    SDL_Quit();

    ASSERT_GE(MixedSamples, song) << "less than a whole run of the song was mixed";
    EXPECT_LE(Dbfs(MusicPeak + blow + effect), -1.0)
        << "music " << Dbfs(MusicPeak) << ", blow " << Dbfs(blow) << ", effect " << Dbfs(effect);
    EXPECT_GT(Dbfs(MusicPeak), -20.0);
    EXPECT_GT(effect, MusicPeak) << "the effects must stand out over the music";
}

} // namespace
