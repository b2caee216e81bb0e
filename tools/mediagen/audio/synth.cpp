// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mediagen {

double NoteHz(double midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

float TNoise::Next() {
    // xorshift32: tiny, fast and identical on every platform.
    FState ^= FState << 13;
    FState ^= FState >> 17;
    FState ^= FState << 5;
    return static_cast<float>(FState / 2147483647.5 - 1.0);
}

namespace {

// Correction around a step of the naive waveform at phase 0 (t in 0..1, dt = hz / rate).
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

float TOscillator::Next(double hz, double rate) {
    const double dt = std::min(hz / rate, 0.5);
    double value = 0;
    switch (FShape) {
    case EShape::Saw:
        value = 2.0 * FPhase - 1.0 - PolyBlep(FPhase, dt);
        break;
    case EShape::Square:
        value = (FPhase < 0.5 ? 1.0 : -1.0) + PolyBlep(FPhase, dt) -
                PolyBlep(std::fmod(FPhase + 0.5, 1.0), dt);
        break;
    case EShape::Sine:
        value = std::sin(2.0 * std::numbers::pi * FPhase);
        break;
    }
    FPhase += dt;
    if (FPhase >= 1.0) FPhase -= 1.0;
    return static_cast<float>(value);
}

float TFallingSine::Next(double rate) {
    const double hz = FBottom + (FTop - FBottom) * std::exp(-FTime / FFall);
    const auto value = static_cast<float>(std::sin(FPhase));
    FPhase = std::fmod(FPhase + 2.0 * std::numbers::pi * hz / rate, 2.0 * std::numbers::pi);
    FTime += 1.0 / rate;
    return value;
}

TStateVariableFilter::TOutputs TStateVariableFilter::Step(float input, double cutoffHz, double q,
                                                          double rate) {
    const double g = std::tan(std::numbers::pi * std::clamp(cutoffHz, 1.0, rate * 0.49) / rate);
    const double k = 1.0 / q;
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = input - FIc2;
    const double v1 = a1 * FIc1 + a2 * v3;
    const double v2 = FIc2 + a2 * FIc1 + a3 * v3;
    FIc1 = 2.0 * v1 - FIc1;
    FIc2 = 2.0 * v2 - FIc2;
    return {static_cast<float>(v2), static_cast<float>(v1),
            static_cast<float>(input - k * v1 - v2)};
}

TFormantFilter::TFormantFilter(std::vector<TFormant> formants)
    : FFormants(std::move(formants)), FFilters(FFormants.size()) {}

float TFormantFilter::Step(float input, double rate, double pitchScale) {
    double sum = 0;
    for (size_t i = 0; i < FFormants.size(); ++i) {
        const auto& formant = FFormants[i];
        sum +=
            formant.Gain * FFilters[i].Step(input, formant.Hz * pitchScale, formant.Q, rate).Band;
    }
    return static_cast<float>(sum);
}

double AttackDecay(double t, double attack, double decayTime) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decayTime);
}

TSignal PluckedString(int period, double seconds, double rate, double damping, double tone,
                      uint32_t seed) {
    TNoise noise(seed);
    std::vector<float> line(static_cast<size_t>(period));
    // A softened burst: plain white noise sounds like a harpsichord's quill.
    float last = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        last = 0.6f * last + 0.4f * noise.Next();
        const double sine = std::sin(2.0 * std::numbers::pi * i / period);
        line[i] = static_cast<float>((1.0 - tone) * last + tone * 0.5 * sine);
    }
    TSignal out(static_cast<size_t>(seconds * rate));
    size_t index = 0;
    for (auto& sample : out) {
        const size_t next = (index + 1) % line.size();
        sample = line[index];
        line[index] = static_cast<float>(damping * 0.5 * (line[index] + line[next]));
        index = next;
    }
    return out;
}

void ApplyFades(TSignal& signal, double rate, double seconds) {
    const size_t length = std::min(signal.size() / 2, static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < length; ++i) {
        const auto gain = static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * i / length));
        signal[i] *= gain;
        signal[signal.size() - 1 - i] *= gain;
    }
}

float Peak(const TSignal& signal) {
    float peak = 0;
    for (float sample : signal)
        peak = std::max(peak, std::fabs(sample));
    return peak;
}

void NormalizePeak(TSignal& signal, double dbfs) {
    const float peak = Peak(signal);
    if (peak <= 0) return;
    const auto gain = static_cast<float>(std::pow(10.0, dbfs / 20.0) / peak);
    for (auto& sample : signal)
        sample *= gain;
}

void RemoveDc(TSignal& signal) {
    if (signal.empty()) return;
    double sum = 0;
    for (float sample : signal)
        sum += sample;
    const auto mean = static_cast<float>(sum / signal.size());
    for (auto& sample : signal)
        sample -= mean;
}

std::vector<int16_t> ToPcm16(const TSignal& signal) {
    std::vector<int16_t> out(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
        out[i] = static_cast<int16_t>(std::lround(std::clamp(signal[i], -1.0f, 1.0f) * 32767.0f));
    return out;
}

} // namespace mediagen
