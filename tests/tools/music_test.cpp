// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/soundunit.h"
#include "audio/hoedown.h"
#include "audio/xmwriter.h"
#include "support/testdir.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>
#include <xmp.h>

namespace {

using namespace mediagen;

const std::string MusicFile = std::string(QUELMARK_MEDIA_DIR) + "/yeeha.xm";
constexpr int Rate = 22050;
constexpr double BeatSeconds = 60.0 / 140.0;

double Decibels(double rms) {
    return 20.0 * std::log10(std::max(rms, 1e-9));
}

double RmsOf(const std::vector<float>& samples, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(std::max<size_t>(1, to - from)));
}

// ---- The game's path: SDL_mixer plays the module (captured after mixing).

struct TCapture {
    std::mutex Lock;
    std::vector<float> Samples; // interleaved stereo, full scale 1
};

void CaptureMix(void* user, Uint8* stream, int length) {
    auto& capture = *static_cast<TCapture*>(user);
    const std::lock_guard guard(capture.Lock);
    const auto* samples = reinterpret_cast<const int16_t*>(stream);
    for (int i = 0; i < length / 2; ++i)
        capture.Samples.push_back(samples[i] / 32768.0f);
}

TEST(MusicThroughTheMixer, LoadsAndPlaysAudiblyWithoutClipping) {
    TTestDir dir;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(InitSound());
    TCapture capture;
    Mix_SetPostMix(CaptureMix, &capture);
    Mix_Music* music = Mix_LoadMUS(MusicFile.c_str());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    ASSERT_EQ(Mix_PlayMusic(music, -1), 0) << Mix_GetError();
    // The dummy driver pulls audio in real time: wait for two seconds of it.
    for (int waited = 0; waited < 10000; waited += 50) {
        SDL_Delay(50);
        const std::lock_guard guard(capture.Lock);
        if (capture.Samples.size() >= 2u * 2 * Rate) break;
    }
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    Mix_HaltMusic();
    Mix_SetPostMix(nullptr, nullptr);
    Mix_FreeMusic(music);
    Mix_CloseAudio();
    SDL_Quit();

    ASSERT_GE(capture.Samples.size(), 2u * Rate);
    EXPECT_GT(Decibels(RmsOf(capture.Samples, 0, capture.Samples.size())), -35.0);
    float peak = 0;
    for (float sample : capture.Samples)
        peak = std::max(peak, std::fabs(sample));
    EXPECT_LT(peak, 0.98f);
}

// ---- libxmp renders the whole song once, mono at 22050 Hz, up to where it loops.

struct TRendering {
    std::vector<float> Samples;
    std::vector<int> Positions; // song position of every frame played
    double LoopSeconds = 0;     // when the song came back round
    int LoopPosition = -1, LoopRow = -1;
    int SongLength = 0;
};

TRendering Render(const std::string& file, double extraSeconds) {
    TRendering out;
    xmp_context context = xmp_create_context();
    if (xmp_load_module(context, file.c_str()) != 0) {
        xmp_free_context(context);
        return out;
    }
    xmp_module_info info{};
    xmp_get_module_info(context, &info);
    out.SongLength = info.mod->len;
    xmp_start_player(context, Rate, 0);
    xmp_frame_info frame{};
    while (xmp_play_frame(context) == 0) {
        xmp_get_frame_info(context, &frame);
        if (frame.loop_count > 0 && out.LoopPosition < 0) {
            out.LoopSeconds = static_cast<double>(out.Samples.size()) / Rate;
            out.LoopPosition = frame.pos;
            out.LoopRow = frame.row;
        }
        if (out.LoopPosition >= 0 && out.Samples.size() > (out.LoopSeconds + extraSeconds) * Rate)
            break;
        if (out.LoopPosition < 0) out.Positions.push_back(frame.pos);
        const auto* samples = static_cast<const int16_t*>(frame.buffer);
        for (int i = 0; i + 1 < frame.buffer_size / 2; i += 2)
            out.Samples.push_back((samples[i] + samples[i + 1]) / 65536.0f);
        if (out.Samples.size() > 120u * Rate) break; // never looped
    }
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
    return out;
}

class MusicRendering : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Song = new TRendering(Render(MusicFile, 2.0)); }
    static void TearDownTestSuite() {
        delete Song;
        Song = nullptr;
    }
    static TRendering* Song;
};

TRendering* MusicRendering::Song = nullptr;

TEST_F(MusicRendering, IsAudibleWithoutClipping) {
    ASSERT_FALSE(Song->Samples.empty()) << "libxmp could not load " << MusicFile;
    const double level = Decibels(RmsOf(Song->Samples, 0, Song->Samples.size()));
    EXPECT_GT(level, -35.0);
    EXPECT_LT(level, -10.0);
    float peak = 0;
    for (float sample : Song->Samples)
        peak = std::max(peak, std::fabs(sample));
    EXPECT_LT(peak, 0.95f);
}

TEST_F(MusicRendering, PlaysEveryPositionThenLoopsToTheStart) {
    ASSERT_GT(Song->LoopPosition, -1) << "the song never came back round";
    EXPECT_GE(Song->LoopSeconds, 30.0);
    EXPECT_LE(Song->LoopSeconds, 60.0);
    EXPECT_EQ(Song->LoopPosition, 0);
    EXPECT_EQ(Song->LoopRow, 0);
    // Positions run 0, 1, 2, ... to the last, each once, without skipping.
    std::vector<int> visited;
    std::unique_copy(Song->Positions.begin(), Song->Positions.end(), std::back_inserter(visited));
    std::vector<int> all(static_cast<size_t>(Song->SongLength));
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    EXPECT_EQ(visited, all);
}

TEST_F(MusicRendering, KeepsPlayingAcrossTheLoopWithoutAGap) {
    ASSERT_GT(Song->LoopPosition, -1);
    const auto seam = static_cast<size_t>(Song->LoopSeconds * Rate);
    const size_t window = Rate / 20;
    ASSERT_GT(Song->Samples.size(), seam + Rate);
    for (size_t at = seam - Rate; at < seam + Rate; at += window)
        EXPECT_GT(Decibels(RmsOf(Song->Samples, at, at + window)), -40.0)
            << "near silence " << (static_cast<double>(at) - seam) / Rate << " s from the seam";
}

// Onsets: rises of the log energy in short frames. Their autocorrelation peaks at the beat.
TEST_F(MusicRendering, HasASteadyBeatAt140PerMinute) {
    const size_t hop = 189; // 50 frames per beat at 140 beats a minute
    std::vector<double> onsets;
    double previous = 0;
    for (size_t at = 0; at + hop <= Song->Samples.size(); at += hop) {
        const double energy = std::log(1e-6 + RmsOf(Song->Samples, at, at + hop));
        onsets.push_back(std::max(0.0, energy - previous));
        previous = energy;
    }
    double mean = 0;
    for (double onset : onsets)
        mean += onset / static_cast<double>(onsets.size());
    const auto correlation = [&](size_t lag) {
        double sum = 0;
        for (size_t i = 0; i + lag < onsets.size(); ++i)
            sum += (onsets[i] - mean) * (onsets[i + lag] - mean);
        return sum / static_cast<double>(onsets.size() - lag);
    };
    const auto beat = static_cast<size_t>(std::lround(BeatSeconds * Rate / hop));
    ASSERT_EQ(beat, 50u);
    // The strongest periodicity between a third of a beat and two beats is one or two beats,
    size_t best = 0;
    for (size_t lag = 16; lag <= 2 * beat + 2; ++lag)
        if (best == 0 || correlation(lag) > correlation(best)) best = lag;
    const size_t nearest = best < 75 ? beat : 2 * beat;
    EXPECT_LE(std::max(best, nearest) - std::min(best, nearest), 1u)
        << "strongest period " << static_cast<double>(best * hop) / Rate << " s";
    // and lags off the eighth-note grid correlate far less than the beat does.
    for (size_t offGrid : {33u, 42u, 58u, 67u})
        EXPECT_LT(correlation(offGrid), 0.5 * correlation(beat)) << "lag " << offGrid;
}

TEST(Music, FileHoldsExactlyWhatTheGeneratorWritesEveryTime) {
    std::ifstream file(MusicFile, std::ios::binary);
    const std::string onDisk{std::istreambuf_iterator<char>(file), {}};
    const std::string made = WriteXm(ComposeHoedown());
    EXPECT_EQ(made, WriteXm(ComposeHoedown()));
    EXPECT_TRUE(made == onDisk) << "the generated module differs from a fresh composition";
}

} // namespace
