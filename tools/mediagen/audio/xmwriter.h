// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A small FastTracker 2 module (XM 1.04) writer: one sample per instrument, 16-bit samples,
// linear frequency table.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace mediagen {

// A module that does not fit the format (too many channels, a name too long, ...).
class EXmError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Note numbers of the pattern cells: 1 is C-0, 49 is C-4 (middle C), 97 releases the key.
constexpr uint8_t XmKeyOff = 97;
// The XM note for a MIDI note (60 = middle C = XM 49).
constexpr uint8_t XmNote(int midiNote) {
    return static_cast<uint8_t>(midiNote - 11);
}

struct TXmSample {
    std::string Name; // up to 22 characters
    std::vector<int16_t> Data;
    // A forward loop over [LoopStart, LoopStart + LoopLength) in sample frames; 0 = no loop.
    uint32_t LoopStart = 0, LoopLength = 0;
    uint8_t Volume = 64;     // 0..64
    uint8_t Panning = 128;   // 0 left .. 255 right
    int8_t RelativeNote = 0; // semitones added to every note
    int8_t Finetune = 0;     // 1/128 semitone steps
};

// Sets RelativeNote and Finetune so that middle C plays middle C, given the sample's rate and
// the MIDI note it holds when played at that rate.
void TuneSample(TXmSample& sample, double sampleRate, double midiNoteAtRate);

struct TXmEnvelopePoint {
    uint16_t Tick;
    uint16_t Value; // 0..64
};

struct TXmInstrument {
    std::string Name;                             // up to 22 characters
    TXmSample Sample;                             // played for every note
    std::vector<TXmEnvelopePoint> VolumeEnvelope; // empty = none; up to 12 points
    int VolumeSustain = -1;                       // index of the sustain point, -1 = none
    uint16_t Fadeout = 0;                         // volume lost per tick after key off
    // Automatic vibrato: sine, reaching full depth after Sweep ticks.
    uint8_t VibratoSweep = 0, VibratoDepth = 0, VibratoRate = 0;
};

struct TXmCell {
    uint8_t Note = 0;       // 0 = none, 1..96, or XmKeyOff
    uint8_t Instrument = 0; // 0 = none, else 1-based
    uint8_t Volume = 0;     // volume column: 0 = none, 0x10..0x50 sets volume 0..64
    uint8_t Effect = 0, Parameter = 0;
};

struct TXmPattern {
    explicit TXmPattern(int rows, int channels)
        : Rows(rows), Channels(channels), Cells(static_cast<size_t>(rows * channels)) {}
    TXmCell& At(int row, int channel) {
        return Cells.at(static_cast<size_t>(row * Channels + channel));
    }
    const TXmCell& At(int row, int channel) const {
        return Cells.at(static_cast<size_t>(row * Channels + channel));
    }
    int Rows, Channels;
    std::vector<TXmCell> Cells;
};

struct TXmModule {
    std::string Name; // up to 20 characters
    int Channels = 8; // even, 2..32
    int Speed = 6;    // ticks per row
    int Tempo = 125;  // "BPM": ticks last 2.5 / Tempo seconds
    int RestartPosition = 0;
    std::vector<uint8_t> Orders; // pattern index per song position
    std::vector<TXmPattern> Patterns;
    std::vector<TXmInstrument> Instruments;
};

// The complete file; throws EXmError when the module does not fit the format.
std::string WriteXm(const TXmModule& module);

} // namespace mediagen
