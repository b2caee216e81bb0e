// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/instruments.h"

#include "audio/synth.h"

#include <cmath>
#include <numbers>

namespace mediagen {

namespace {

// Instrument samples are made at CD rate: the players resample them with linear
// interpolation, which sounds cleaner from a finer grid.
constexpr double Rate = 44100;
constexpr double TwoPi = 2.0 * std::numbers::pi;
// Loud enough to use the 16 bits, with headroom for interpolation overshoot.
constexpr double SampleLevel = -1.0;

TXmSample ToSample(const std::string& name, TSignal signal, double midiNoteAtRate) {
    NormalizePeak(signal, SampleLevel);
    TXmSample sample;
    sample.Name = name;
    sample.Data = ToPcm16(signal);
    TuneSample(sample, Rate, midiNoteAtRate);
    return sample;
}

double MidiOf(double hz) {
    return 69.0 + 12.0 * std::log2(hz / 440.0);
}

// Several whole periods of a harmonic series, looped end to end without a seam. The period is
// whole samples, so the pitch is rounded to Rate / period and the tuning absorbs the rest.
TXmSample LoopedWave(const std::string& name, double midiNote, int periods,
                     double (*amplitude)(int harmonic, double hz)) {
    const int period = static_cast<int>(std::lround(Rate / NoteHz(midiNote)));
    const double hz = Rate / period;
    TSignal wave(static_cast<size_t>(period * periods));
    for (int k = 1; k * hz < 0.45 * Rate / 4; ++k) {
        const double gain = amplitude(k, k * hz);
        const double phase = 0.7 * k * k; // spread phases to keep the peak low
        for (size_t i = 0; i < wave.size(); ++i)
            wave[i] += static_cast<float>(gain * std::sin(TwoPi * k * i / period + phase));
    }
    auto sample = ToSample(name, std::move(wave), MidiOf(hz));
    sample.LoopStart = 0;
    sample.LoopLength = static_cast<uint32_t>(sample.Data.size());
    return sample;
}

// A plucked string that rings out once, faded to silence at its end. Brightness above 0 adds
// twang; a low-pass cutoff (0 = none) rounds the tone off instead.
TXmSample Plucked(const std::string& name, double midiNote, double seconds, double damping,
                  double tone, double brightness, double lowPassHz, uint32_t seed) {
    const int period = static_cast<int>(std::lround(Rate / NoteHz(midiNote) - 0.5));
    auto string = PluckedString(period, seconds, Rate, damping, tone, seed);
    // Brightness: mix of the plain string and its first difference (a gentle high boost).
    float previous = 0;
    for (auto& value : string) {
        const float edge = value - previous;
        previous = value;
        value = static_cast<float>(value + brightness * edge);
    }
    TStateVariableFilter warmth;
    if (lowPassHz > 0)
        for (auto& value : string)
            value = warmth.Step(value, lowPassHz, 0.7, Rate).Low;
    RemoveDc(string);
    ApplyFades(string, Rate, 0.002);
    // A longer fade at the tail than at the head.
    const size_t tail = static_cast<size_t>(0.08 * Rate);
    for (size_t i = 0; i < tail; ++i)
        string[string.size() - 1 - i] *= static_cast<float>(i) / tail;
    return ToSample(name, std::move(string), MidiOf(Rate / (period + 0.5)));
}

// Fiddle: a sawtooth series shaped by the body's resonances, dark above 4 kHz.
double FiddleHarmonic(int k, double hz) {
    const auto hill = [hz](double centre, double width) {
        const double d = std::log2(hz / centre) / width;
        return std::exp(-d * d);
    };
    const double body = 0.35 + hill(480, 0.5) + 0.8 * hill(1100, 0.6) + 0.9 * hill(2800, 0.7);
    const double rolloff = 1.0 / (1.0 + std::pow(hz / 4000.0, 4.0));
    return body * rolloff / k;
}

TXmInstrument OneShot(const std::string& name, TSignal signal, uint8_t volume) {
    RemoveDc(signal);
    ApplyFades(signal, Rate, 0.001);
    TXmInstrument instrument;
    instrument.Name = name;
    instrument.Sample = ToSample(name, std::move(signal), 60); // C-4 plays it as made
    instrument.Sample.Volume = volume;
    return instrument;
}

TSignal Silence(double seconds) {
    return TSignal(static_cast<size_t>(seconds * Rate));
}

} // namespace

TXmInstrument MakeFiddle() {
    TXmInstrument fiddle;
    fiddle.Name = "fiddle";
    fiddle.Sample = LoopedWave("fiddle", 69, 4, FiddleHarmonic);
    fiddle.Sample.Volume = 40;
    fiddle.Sample.Panning = 150;
    // A bowed attack, a steady tone while the key is held, a short release.
    fiddle.VolumeEnvelope = {{0, 16}, {3, 64}, {9, 50}, {16, 0}};
    fiddle.VolumeSustain = 2;
    fiddle.Fadeout = 1024;
    // Vibrato comes in just after the attack: about 5 Hz, a fifth of a semitone each way.
    fiddle.VibratoSweep = 6;
    fiddle.VibratoDepth = 12;
    fiddle.VibratoRate = 24;
    return fiddle;
}

TXmInstrument MakeUprightBass() {
    TXmInstrument bass;
    bass.Name = "upright bass";
    bass.Sample = Plucked("upright bass", 43, 1.4, 0.9995, 0.7, 0.0, 400, 0xBA55);
    bass.Sample.Volume = 56;
    // Walking notes last a beat (24 ticks): fading out just before the next one starts means
    // no note is cut off mid-swing, which would click.
    bass.VolumeEnvelope = {{0, 64}, {12, 50}, {19, 40}, {23, 0}};
    return bass;
}

TXmInstrument MakeBanjo() {
    TXmInstrument banjo;
    banjo.Name = "banjo";
    banjo.Sample = Plucked("banjo", 67, 0.5, 0.985, 0.0, 1.5, 0, 0xBA270);
    banjo.Sample.Volume = 50;
    banjo.Sample.Panning = 96;
    return banjo;
}

TXmInstrument MakeKick() {
    auto kick = Silence(0.3);
    TNoise noise(0x4B1C);
    TFallingSine drop(158, 48, 0.025);
    for (size_t i = 0; i < kick.size(); ++i) {
        const double t = i / Rate;
        kick[i] = static_cast<float>(drop.Next(Rate) * AttackDecay(t, 0.001, 0.11) +
                                     0.25 * noise.Next() * std::exp(-t / 0.003));
    }
    return OneShot("kick", std::move(kick), 60);
}

TXmInstrument MakeSnare() {
    auto snare = Silence(0.25);
    TNoise noise(0x54A4E);
    TStateVariableFilter rattle;
    double phase = 0;
    for (size_t i = 0; i < snare.size(); ++i) {
        const double t = i / Rate;
        phase += TwoPi * 185.0 / Rate;
        const float wires = rattle.Step(noise.Next(), 3500, 0.6, Rate).Band;
        snare[i] = static_cast<float>(0.6 * std::sin(phase) * std::exp(-t / 0.04) +
                                      1.2 * wires * AttackDecay(t, 0.001, 0.11));
    }
    return OneShot("snare", std::move(snare), 64);
}

TXmInstrument MakeHat() {
    auto hat = Silence(0.12);
    TNoise noise(0x4A7);
    TStateVariableFilter air;
    for (size_t i = 0; i < hat.size(); ++i) {
        const double t = i / Rate;
        hat[i] = static_cast<float>(air.Step(noise.Next(), 7500, 0.8, Rate).High *
                                    AttackDecay(t, 0.0005, 0.025));
    }
    return OneShot("hat", std::move(hat), 32);
}

} // namespace mediagen
