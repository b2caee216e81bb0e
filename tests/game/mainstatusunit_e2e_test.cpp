// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole game session with the real binary and the generated media, played with keys on
// the test display, with the sound captured by SDL's disk audio driver.
#include "support/gamesession.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

// The samples from..to (clamped) averaged in groups of step.
Samples Decimate(const Samples& samples, size_t from, size_t to, size_t step) {
    Samples out;
    to = std::min(to, samples.size());
    for (size_t i = from; i + step <= to; i += step) {
        float sum = 0;
        for (size_t k = 0; k < step; ++k)
            sum += samples[i + k];
        out.push_back(sum / step);
    }
    return out;
}

// The samples of a 16-bit PCM WAV file, mono, at 22050 Hz (higher rates are averaged down).
Samples ReadWav(const std::filesystem::path& path) {
    const std::string bytes = ReadBytes(path);
    int channels = 0;
    uint32_t rate = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = Le(bytes, at + 4, 4);
        if (id == "fmt ") {
            channels = static_cast<int>(Le(bytes, at + 10, 2));
            rate = Le(bytes, at + 12, 4);
        } else if (id == "data" && channels > 0) {
            const Samples mono =
                Mono(bytes, at + 8, std::min<size_t>(bytes.size(), at + 8 + size), channels);
            return Decimate(mono, 0, mono.size(), std::max<uint32_t>(1, rate / 22050));
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

// The best normalised correlation of s with x at any offset.
double Correlation(const Samples& x, const Samples& s) {
    if (s.empty() || x.size() < s.size()) return 0;
    double ss = 0, xx = 0, best = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        ss += static_cast<double>(s[i]) * s[i];
        xx += static_cast<double>(x[i]) * x[i];
    }
    for (size_t o = 0; o + s.size() <= x.size(); ++o) {
        double xs = 0;
        for (size_t i = 0; i < s.size(); ++i)
            xs += static_cast<double>(x[o + i]) * s[i];
        if (xx > 0) best = std::max(best, xs / std::sqrt(xx * ss));
        if (o + s.size() < x.size())
            xx += static_cast<double>(x[o + s.size()]) * x[o + s.size()] -
                  static_cast<double>(x[o]) * x[o];
    }
    return best;
}

// How clearly a 22050 Hz sound is heard in the few seconds of the capture from frame `from`
// on. The disk driver may run the device at 22050 or 44100 Hz: both are tried, and both
// signals are halved in rate first, which keeps the search short.
double Heard(const Samples& capture, size_t from, const Samples& sound) {
    const Samples s = Decimate(sound, 0, sound.size(), 2);
    double best = 0;
    for (size_t factor : {1, 2})
        best = std::max(
            best, Correlation(Decimate(capture, from, from + 4 * 22050 * factor, 2 * factor), s));
    return best;
}

// How much of digit d of the numbers picture, drawn at (x, y) with 1/step scale, the
// screenshot shows: the share of fully opaque texel blocks whose pixel has their colour.
double DigitMatch(const TShot& shot, const TShot& numbers, int x, int y, int digit, int step) {
    const int left = digit % 8 * 32, top = digit / 8 * 64;
    int opaque = 0, matching = 0;
    for (int j = 0; j < 64 / step; ++j)
        for (int i = 0; i < 32 / step; ++i) {
            int sum[3] = {0, 0, 0};
            bool solid = true;
            for (int v = 0; v < step; ++v)
                for (int u = 0; u < step; ++u) {
                    const uint8_t* t = numbers.At(left + i * step + u, top + j * step + v);
                    solid &= !numbers.Image.HasAlpha || t[3] == 255;
                    for (int k = 0; k < 3; ++k)
                        sum[k] += t[k];
                }
            if (!solid) continue;
            ++opaque;
            const uint8_t* p = shot.At(x + i, y + j);
            bool same = true;
            for (int k = 0; k < 3; ++k)
                same &= std::abs(p[k] - sum[k] / (step * step)) <= 24;
            matching += same;
        }
    return opaque > 0 ? static_cast<double>(matching) / opaque : 0;
}

// True when the screenshot shows exactly this digit at (x, y) better than any other.
::testing::AssertionResult ShowsDigit(const TShot& shot, const TShot& numbers, int x, int y,
                                      int digit, int step) {
    const double mine = DigitMatch(shot, numbers, x, y, digit, step);
    std::ostringstream scores;
    bool best = mine > 0.85;
    for (int d = 0; d < 10; ++d) {
        const double score = DigitMatch(shot, numbers, x, y, d, step);
        scores << d << ":" << score << " ";
        if (d != digit && score >= mine) best = false;
    }
    if (best) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "digit " << digit << " at " << x << "," << y << " scores " << scores.str();
}

TEST(GameSession, IntroLevelStartAndPlayWithKeysPicturesAndSound) {
    TTestDir dir;
    // The field the generator dealt before launches were seeded from the clock.
    TGameSession game(dir, {{"QUELMARK_SEED", "5489"}});
    ASSERT_FALSE(game.Window.empty()) << game.Dir.ReadFile("stderr.txt");
    const std::string media = QUELMARK_MEDIA_DIR;
    const TShot numbers{DecodeTextureFile(media + "/numbers.png")};

    // The last picture the screens load is the level banner; then the intro takes over.
    ASSERT_TRUE(game.WaitForLog("Loading media/wri.png", 90));
    game.Pause(1500);
    const TShot intro = game.Shot("intro");
    const Samples introSound = game.Capture();
    ASSERT_GT(introSound.size(), 22050u) << "less than a second of sound captured";
    const double full = Rms(introSound, introSound.size() - 22050, introSound.size());
    EXPECT_GT(full, 300) << "the music is not audible";

    // Five steps down halve the music; M then silences it, and brings it back.
    game.Keys("key minus minus minus minus minus");
    const double half = game.LastSecondRmsWhen([&](double rms) { return rms < 0.6 * full; });
    EXPECT_LT(half, 0.75 * full);
    EXPECT_GT(half, 0.25 * full);
    game.Keys("key m");
    EXPECT_LT(game.LastSecondRmsWhen([](double rms) { return rms < 10; }), 10)
        << "the music still plays";
    game.Keys("key m");
    EXPECT_GT(game.LastSecondRmsWhen([&](double rms) { return rms > 0.25 * full; }), 0.25 * full);

    game.Keys("key space");
    game.Pause(1000);
    const TShot levelStart =
        game.ShotWhen("levelstart", [&](const TShot& s) { return Changed(intro, s) > 0.3; });
    EXPECT_TRUE(ShowsDigit(levelStart, numbers, 440, 180, 1, 1));
    EXPECT_GT(Changed(intro, levelStart), 0.3);

    game.Keys("key space");
    game.Pause(1000);
    const TShot play =
        game.ShotWhen("play", [&](const TShot& s) { return Changed(levelStart, s) > 0.3; });
    EXPECT_TRUE(ShowsDigit(play, numbers, 40, 480, 5, 2)) << "health";
    EXPECT_TRUE(ShowsDigit(play, numbers, 40, 520, 4, 2)) << "sheep";
    EXPECT_TRUE(ShowsDigit(play, numbers, 40, 560, 0, 2)) << "score";

    // Paused, nothing moves: not the animals, not the clock, not the frame rate.
    game.Keys("key p");
    const TShot paused =
        game.ShotWhen("paused-a", [&](const TShot& s) { return Changed(play, s) > 0.5; });
    game.Pause(2000);
    const TShot later = game.Shot("paused-b");
    EXPECT_GT(Changed(play, paused), 0.5) << "neither dimmed nor under the panel";
    EXPECT_TRUE(paused.Image.Pixels == later.Image.Pixels) << "the paused picture moved";
    // Held, the plus key keeps the volume plaque up (at full volume) for the picture.
    game.Keys("keydown plus");
    game.Shot("paused");
    game.Keys("keyup plus");
    game.Keys("key p");
    const TShot resumed = game.ShotWhen(
        "resumed", [&](const TShot& s) { return Changed(paused, s, 144, 172, 656, 428) > 0.5; });
    EXPECT_GT(Changed(paused, resumed, 144, 172, 656, 428), 0.5) << "the panel stayed";

    // Standing still only the animals move; walking moves the whole field.
    const TShot still = game.Shot("still");
    game.Keys("keydown Up sleep 0.6 keyup Up");
    game.Pause(200);
    const TShot walked = game.Shot("walked");
    EXPECT_GT(Changed(still, walked), Changed(resumed, still) + 0.05);
    game.Keys("keydown Left sleep 0.4 keyup Left");
    game.Pause(200);
    const TShot turned = game.Shot("turned");
    // The camera does not turn with the viking: only the viking in the middle changes.
    EXPECT_GT(Changed(walked, turned, 360, 230, 440, 310), 0.1);

    const size_t beforeSwing = game.CaptureBytes() / 4;
    game.Keys("keydown Control_L sleep 0.7 keyup Control_L");
    game.Pause(1200);
    const Samples swing = ReadWav(media + "/swhoosh0.wav");
    ASSERT_FALSE(swing.empty());
    const Samples sound = game.Capture();
    EXPECT_GT(Heard(sound, beforeSwing, swing), 0.5) << "no swing heard";

    game.Keys("key Escape");
    EXPECT_EQ(game.Game->Wait(60), 0) << game.Dir.ReadFile("stderr.txt");
    const std::string log = game.Dir.ReadFile("log");
    EXPECT_EQ(log.find("Unable to"), std::string::npos) << log;
}

} // namespace
