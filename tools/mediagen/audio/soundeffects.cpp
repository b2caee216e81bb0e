// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/soundeffects.h"

#include <cmath>
#include <numbers>

namespace mediagen {

namespace {

constexpr double Rate = SoundEffectRate;
constexpr double TwoPi = 2.0 * std::numbers::pi;

TSignal Silence(double seconds) {
    return TSignal(static_cast<size_t>(seconds * Rate));
}

double TimeOf(size_t i) {
    return static_cast<double>(i) / Rate;
}

// Every effect ends the same way: no offset, soft edges, the same peak level.
TSignal Finish(TSignal signal) {
    RemoveDc(signal);
    ApplyFades(signal, Rate, 0.005);
    NormalizePeak(signal, -3.0);
    return signal;
}

// Screen change: two rising square notes, 55 ms apart.
TSignal MakeBlip() {
    auto out = Silence(0.12);
    TOscillator square(TOscillator::EShape::Square);
    TStateVariableFilter tone;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        const double hz = NoteHz(t < 0.055 ? 81 : 88); // A5, then E6
        const auto raw = static_cast<float>(square.Next(hz, Rate) * AttackDecay(t, 0.003, 0.1));
        out[i] = tone.Step(raw, 5000, 0.7, Rate).Low;
    }
    return Finish(std::move(out));
}

// Weapon swing: band-passed noise whose centre falls from 2.8 kHz to 300 Hz.
TSignal MakeSwing() {
    const double length = 0.32;
    auto out = Silence(length);
    TNoise noise(0x5EED0001);
    TStateVariableFilter band;
    for (size_t i = 0; i < out.size(); ++i) {
        const double phase = TimeOf(i) / length;
        const double centre = 2800.0 * std::pow(300.0 / 2800.0, phase);
        const double swell = std::pow(std::sin(std::numbers::pi * std::pow(phase, 0.6)), 2.0);
        out[i] = static_cast<float>(band.Step(noise.Next(), centre, 2.2, Rate).Band * swell);
    }
    return Finish(std::move(out));
}

// A blow: the thump with a short click of noise on top.
TSignal MakeBlow() {
    auto out = Silence(0.22);
    TNoise noise(0x5EED0002);
    TStateVariableFilter click;
    TFallingSine thump(175, 45, 0.03);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        const float knock = click.Step(noise.Next(), 3000, 0.8, Rate).Low;
        out[i] = static_cast<float>(thump.Next(Rate) * AttackDecay(t, 0.002, 0.06) +
                                    0.7 * std::exp(-t / 0.006) * knock);
    }
    return Finish(std::move(out));
}

// A voice: a saw buzz at the pitch the callback gives, through vowel formants, with a little
// breath. pitch(t) returns Hz; level(t) the loudness 0..1.
template <typename TPitch, typename TLevel>
TSignal Voice(double length, TFormantFilter vowel, double breath, uint32_t seed, TPitch pitch,
              TLevel level) {
    auto out = Silence(length);
    TOscillator buzz(TOscillator::EShape::Saw);
    TNoise noise(seed);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        const float source = buzz.Next(pitch(t), Rate) + static_cast<float>(breath) * noise.Next();
        out[i] = static_cast<float>(vowel.Step(source, Rate) * level(t));
    }
    return out;
}

// The viking falls: an "aah" sliding from 880 to 260 Hz with a widening vibrato.
TSignal MakeScream() {
    const double length = 1.0;
    TFormantFilter ah({{800, 5, 1.0}, {1150, 6, 0.7}, {2900, 8, 0.3}});
    auto out = Voice(
        length, ah, 0.08, 0x5EED0003,
        [&](double t) {
            const double slide = 880.0 * std::pow(260.0 / 880.0, std::pow(t / length, 1.4));
            return slide * (1.0 + (0.015 + 0.04 * t) * std::sin(TwoPi * 6.5 * t));
        },
        [&](double t) { return std::min(1.0, t / 0.03) * std::min(1.0, (length - t) / 0.3); });
    return Finish(std::move(out));
}

// A bleat: a saw near the given pitch with the quick tremolo of "meh-eh-eh".
TSignal Bleat(double length, double baseHz, TFormantFilter vowel, double roughness, uint32_t seed) {
    TNoise jitter(seed ^ 0xA5A5A5A5u);
    TStateVariableFilter smooth;
    double wobble = 0;
    const double rate = 7.0; // bleat pulses per second
    auto out = Voice(
        length, std::move(vowel), 0.04 + 0.2 * roughness, seed,
        [&](double t) {
            wobble = smooth.Step(jitter.Next(), 30, 0.7, Rate).Low;
            const double contour = 1.0 + 0.07 * std::sin(std::numbers::pi * t / length) -
                                   0.12 * std::max(0.0, t / length - 0.6);
            return baseHz * contour * (1.0 + 0.045 * std::sin(TwoPi * rate * t)) *
                   (1.0 + 2.0 * roughness * wobble);
        },
        [&](double t) {
            const double pulse = 0.72 + 0.28 * std::sin(TwoPi * rate * t - 1.0);
            const double rough = 1.0 + 4.0 * roughness * wobble;
            return pulse * rough * std::min(1.0, t / 0.04) *
                   std::min(1.0, (length - t) / (0.35 * length));
        });
    // The lips open at the start: "m-baa".
    TStateVariableFilter lips;
    for (size_t i = 0; i < out.size(); ++i) {
        const double open = 350.0 + 6000.0 * std::min(1.0, TimeOf(i) / 0.09);
        out[i] = lips.Step(out[i], open, 0.7, Rate).Low;
    }
    return out;
}

TSignal MakeSheep() {
    return Finish(Bleat(0.75, 300, TFormantFilter({{550, 4, 1.0}, {1800, 6, 0.6}, {2600, 8, 0.3}}),
                        0.0, 0x5EED0004));
}

// The ram dies: a lower, rougher bleat with a growl an octave below, sinking as it fades.
TSignal MakeRamDeath() {
    const double length = 1.2;
    auto out = Bleat(length, 150, TFormantFilter({{600, 4, 1.0}, {1050, 5, 0.7}, {2300, 7, 0.25}}),
                     0.03, 0x5EED0005);
    TOscillator growl(TOscillator::EShape::Saw);
    TStateVariableFilter dark;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        const double hz = 75.0 * (1.0 - 0.25 * t / length);
        const float low = dark.Step(growl.Next(hz, Rate), 400, 0.7, Rate).Low;
        const double fade = std::min(1.0, t / 0.05) * std::min(1.0, (length - t) / 0.5);
        out[i] += static_cast<float>(0.35 * low * fade);
    }
    return Finish(std::move(out));
}

// A butt: a snort of breath, then the head strikes with a low thump and a bony knock.
TSignal MakeButt() {
    const double strike = 0.11;
    auto out = Silence(0.36);
    TNoise noise(0x5EED0006);
    TStateVariableFilter snort, knock;
    TFallingSine thump(130, 40, 0.03);
    double bone = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = TimeOf(i);
        const float air = noise.Next();
        double sample = 0;
        if (t < strike)
            sample += 0.35 * snort.Step(air, 700 + 2500 * t, 1.2, Rate).Band * (t / strike);
        const double after = t - strike;
        if (after >= 0) {
            sample += thump.Next(Rate) * AttackDecay(after, 0.002, 0.07);
            bone += TwoPi * 420 / Rate;
            sample += 0.35 * std::sin(bone) * std::exp(-after / 0.04);
            sample += 0.8 * knock.Step(air, 1300, 3, Rate).Band * std::exp(-after / 0.015);
        }
        out[i] = static_cast<float>(sample);
    }
    return Finish(std::move(out));
}

} // namespace

const std::vector<TSoundEffect>& SoundEffects() {
    static const std::vector<TSoundEffect> effects = {
        {"x2", MakeBlip},         {"swhoosh0", MakeSwing}, {"hit0", MakeBlow},
        {"scream", MakeScream},   {"sheep", MakeSheep},    {"rambite", MakeButt},
        {"ramdie", MakeRamDeath},
    };
    return effects;
}

} // namespace mediagen
