// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Small synthesis kit for the generated sounds and instruments: oscillators, noise, filters,
// envelopes and level handling, all on mono float signals in -1..1.
#pragma once

#include <cstdint>
#include <vector>

namespace mediagen {

using TSignal = std::vector<float>;

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double NoteHz(double midiNote);

// Deterministic white noise: the same seed always gives the same samples.
class TNoise {
public:
    explicit TNoise(uint32_t seed) : FState(seed ? seed : 0x9E3779B9u) {}
    // Uniform in -1..1.
    float Next();

private:
    uint32_t FState;
};

// Band-limited oscillator: saw or square with PolyBLEP-smoothed edges, so that sweeps do not
// alias into whistles. Frequency may change every sample.
class TOscillator {
public:
    enum class EShape { Saw, Square, Sine };
    explicit TOscillator(EShape shape) : FShape(shape) {}
    float Next(double hz, double rate);

private:
    EShape FShape;
    double FPhase = 0;
};

// A sine whose pitch falls exponentially from one frequency towards another: thumps, kicks.
class TFallingSine {
public:
    TFallingSine(double topHz, double bottomHz, double fallSeconds)
        : FTop(topHz), FBottom(bottomHz), FFall(fallSeconds) {}
    float Next(double rate);

private:
    double FTop, FBottom, FFall;
    double FTime = 0, FPhase = 0;
};

// Topology-preserving state-variable filter: stable for any cutoff below Nyquist.
class TStateVariableFilter {
public:
    struct TOutputs {
        float Low, Band, High;
    };
    TOutputs Step(float input, double cutoffHz, double q, double rate);

private:
    double FIc1 = 0, FIc2 = 0;
};

// Parallel band-pass resonances that shape a buzz into a vowel.
class TFormantFilter {
public:
    struct TFormant {
        double Hz, Q, Gain;
    };
    explicit TFormantFilter(std::vector<TFormant> formants);
    // pitchScale moves every formant, e.g. for a smaller or larger throat.
    float Step(float input, double rate, double pitchScale = 1.0);

private:
    std::vector<TFormant> FFormants;
    std::vector<TStateVariableFilter> FFilters;
};

// Linear attack then exponential decay, evaluated at time t seconds.
double AttackDecay(double t, double attack, double decayTime);

// A Karplus-Strong plucked string of the given length: bright attack, mellow tail.
// The delay line is whole samples, so the pitch is rate / (period + 0.5). `tone` (0..1) puts
// that much of one sine period into the noise burst that starts the string, for a stronger
// fundamental.
TSignal PluckedString(int period, double seconds, double rate, double damping, double tone,
                      uint32_t seed);

// Raised-cosine fades of the given length at both ends.
void ApplyFades(TSignal& signal, double rate, double seconds);
// Largest absolute sample value.
float Peak(const TSignal& signal);
// Scales so that the peak sits at the given level in dBFS (e.g. -3).
void NormalizePeak(TSignal& signal, double dbfs);
// Removes the mean, so that a sound neither starts nor ends with a step.
void RemoveDc(TSignal& signal);
// 16-bit samples, rounded and clamped.
std::vector<int16_t> ToPcm16(const TSignal& signal);

} // namespace mediagen
