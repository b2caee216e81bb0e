// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/soundunit.h"
#include "audio/soundeffects.h"
#include "audio/wavencoder.h"
#include "support/testdir.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sndfile.h>
#include <string>
#include <vector>

namespace {

using namespace mediagen;

std::string MediaFile(const std::string& name) {
    return std::string(QUELMARK_MEDIA_DIR) + "/" + name + ".wav";
}

struct TExpectedSound {
    const char* Name;
    double MaxSeconds;
};

void PrintTo(const TExpectedSound& sound, std::ostream* out) {
    *out << sound.Name;
}

// The names the game asks for, with the longest each may last.
const TExpectedSound ExpectedSounds[] = {
    {"x2", 0.15},   {"swhoosh0", 0.5}, {"hit0", 0.4},   {"scream", 1.5},
    {"sheep", 1.0}, {"rambite", 0.5},  {"ramdie", 1.5},
};

// One channel of a loaded chunk in the mixer's format (S16 stereo at 22050 Hz).
std::vector<int> LeftChannel(const Mix_Chunk& chunk) {
    const auto* samples = reinterpret_cast<const int16_t*>(chunk.abuf);
    std::vector<int> left(chunk.alen / 4);
    for (size_t i = 0; i < left.size(); ++i)
        left[i] = samples[2 * i];
    return left;
}

int PeakOf(const std::vector<int>& samples, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = from; i < to; ++i)
        peak = std::max(peak, std::abs(samples[i]));
    return peak;
}

// Fundamental by autocorrelation over the given range of lags.
double PitchHz(const std::vector<int>& samples, double rate, double lowHz, double highHz) {
    const size_t start = samples.size() / 3, length = samples.size() / 3;
    double best = -1;
    size_t bestLag = 0;
    for (auto lag = static_cast<size_t>(rate / highHz); lag <= rate / lowHz; ++lag) {
        double sum = 0;
        for (size_t i = start; i < start + length; ++i)
            sum += static_cast<double>(samples[i]) * samples[i + lag];
        if (sum > best) best = sum, bestLag = lag;
    }
    return rate / static_cast<double>(bestLag);
}

class SoundFileTest : public ::testing::TestWithParam<TExpectedSound> {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(InitSound());
    }
    void TearDown() override {
        Mix_CloseAudio();
        SDL_Quit();
    }
    TTestDir Dir; // the sound loader logs into the working directory
};

TEST_P(SoundFileTest, LoadsLoudCleanAndShort) {
    TSound sound(MediaFile(GetParam().Name));
    ASSERT_NE(sound.Chunk(), nullptr) << Dir.ReadFile("log");
    const auto samples = LeftChannel(*sound.Chunk());
    const double seconds = samples.size() / 22050.0;
    EXPECT_GT(seconds, 0.05);
    EXPECT_LE(seconds, GetParam().MaxSeconds);

    // Peaks near -3 dBFS: clearly audible, and never at full scale.
    const int peak = PeakOf(samples, 0, samples.size());
    EXPECT_GT(peak, 0.6 * 32767);
    EXPECT_LT(peak, 0.8 * 32767);
    double energy = 0;
    for (int sample : samples)
        energy += static_cast<double>(sample) * sample;
    EXPECT_GT(std::sqrt(energy / samples.size()), 0.05 * 32767) << "too quiet on the whole";

    // Fades at both ends: silent at the edges, still quiet one millisecond in.
    const size_t ms = 22;
    EXPECT_LE(std::abs(samples.front()), 64);
    EXPECT_LE(std::abs(samples.back()), 64);
    EXPECT_LT(PeakOf(samples, 0, ms), peak / 4);
    EXPECT_LT(PeakOf(samples, samples.size() - ms, samples.size()), peak / 4);
}

INSTANTIATE_TEST_SUITE_P(Media, SoundFileTest, ::testing::ValuesIn(ExpectedSounds));

TEST(SoundEffects, AreMono16BitAtTheMixerRate) {
    for (const auto& sound : ExpectedSounds) {
        SCOPED_TRACE(sound.Name);
        SF_INFO info{};
        SNDFILE* file = sf_open(MediaFile(sound.Name).c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        sf_close(file);
        EXPECT_EQ(info.samplerate, 22050);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    }
}

TEST(SoundEffects, BleatsSitAtTheirPitches) {
    const struct {
        const char* Name;
        double LowHz, HighHz;
    } bleats[] = {{"sheep", 260, 340}, {"ramdie", 125, 175}};
    for (const auto& bleat : bleats) {
        SCOPED_TRACE(bleat.Name);
        SF_INFO info{};
        SNDFILE* file = sf_open(MediaFile(bleat.Name).c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr);
        std::vector<short> raw(static_cast<size_t>(info.frames));
        sf_read_short(file, raw.data(), info.frames);
        sf_close(file);
        const std::vector<int> samples(raw.begin(), raw.end());
        const double pitch = PitchHz(samples, info.samplerate, 80, 600);
        EXPECT_GT(pitch, bleat.LowHz);
        EXPECT_LT(pitch, bleat.HighHz);
    }
}

TEST(SoundEffects, FilesHoldExactlyWhatTheGeneratorMakesEveryTime) {
    ASSERT_EQ(SoundEffects().size(), std::size(ExpectedSounds));
    for (const auto& effect : SoundEffects()) {
        SCOPED_TRACE(effect.Name);
        std::ifstream file(MediaFile(effect.Name), std::ios::binary);
        const std::string onDisk{std::istreambuf_iterator<char>(file), {}};
        const std::string made = EncodeWav(effect.Make(), SoundEffectRate);
        EXPECT_EQ(made, EncodeWav(effect.Make(), SoundEffectRate));
        EXPECT_TRUE(made == onDisk) << "the generated file differs from a fresh synthesis";
    }
}

} // namespace
