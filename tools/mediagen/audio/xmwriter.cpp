// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/xmwriter.h"

#include <cmath>

namespace mediagen {

namespace {

constexpr uint32_t SongHeaderSize = 276;
constexpr uint32_t PatternHeaderSize = 9;
constexpr uint32_t InstrumentHeaderSize = 263;
constexpr uint32_t SampleHeaderSize = 40;
constexpr int MaxEnvelopePoints = 12;

void Require(bool condition, const std::string& message) {
    if (!condition) throw EXmError(message);
}

class TBytes {
public:
    void U8(unsigned value) { FData += static_cast<char>(value & 0xFF); }
    void U16(unsigned value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    // Fixed-width text, padded with the given byte.
    void Text(const std::string& text, size_t width, const std::string& what, char pad = '\0') {
        Require(text.size() <= width,
                what + " \"" + text + "\" is longer than " + std::to_string(width) + " characters");
        FData += text;
        FData.append(width - text.size(), pad);
    }
    void Zeros(size_t count) { FData.append(count, '\0'); }
    void Raw(const std::string& bytes) { FData += bytes; }
    size_t Size() const { return FData.size(); }
    std::string Take() { return std::move(FData); }

private:
    std::string FData;
};

// The packed rows: a cell that uses every column is stored whole, any other as a flag byte
// (bit 7 set) followed by the columns it uses.
std::string PackPattern(const TXmPattern& pattern) {
    TBytes out;
    for (const auto& cell : pattern.Cells) {
        Require(cell.Note <= XmKeyOff, "note " + std::to_string(cell.Note) + " out of range");
        const uint8_t columns[] = {cell.Note, cell.Instrument, cell.Volume, cell.Effect,
                                   cell.Parameter};
        unsigned flags = 0;
        for (int i = 0; i < 5; ++i)
            if (columns[i] != 0) flags |= 1u << i;
        if (flags != 0x1F) out.U8(0x80 | flags);
        for (int i = 0; i < 5; ++i)
            if (flags & (1u << i)) out.U8(columns[i]);
    }
    return out.Take();
}

void WriteInstrument(TBytes& out, const TXmInstrument& instrument) {
    const auto& sample = instrument.Sample;
    const auto& envelope = instrument.VolumeEnvelope;
    Require(envelope.size() <= MaxEnvelopePoints,
            "instrument " + instrument.Name + " has more than 12 envelope points");
    Require(instrument.VolumeSustain < static_cast<int>(envelope.size()),
            "instrument " + instrument.Name + " sustains on a missing envelope point");
    Require(sample.Volume <= 64, "sample volume above 64");
    Require(sample.LoopStart + sample.LoopLength <= sample.Data.size(),
            "sample " + sample.Name + " loops past its end");
    Require(sample.Data.size() < (1u << 30), "sample " + sample.Name + " is too long");

    const size_t start = out.Size();
    out.U32(InstrumentHeaderSize);
    out.Text(instrument.Name, 22, "instrument name");
    out.U8(0);
    out.U16(1);
    out.U32(SampleHeaderSize);
    out.Zeros(96); // every note plays sample 0
    for (int i = 0; i < MaxEnvelopePoints; ++i) {
        const bool used = i < static_cast<int>(envelope.size());
        out.U16(used ? envelope[static_cast<size_t>(i)].Tick : 0);
        out.U16(used ? envelope[static_cast<size_t>(i)].Value : 0);
    }
    out.Zeros(4 * MaxEnvelopePoints); // no panning envelope
    out.U8(static_cast<unsigned>(envelope.size()));
    out.U8(0);
    out.U8(instrument.VolumeSustain < 0 ? 0 : static_cast<unsigned>(instrument.VolumeSustain));
    out.Zeros(5); // volume loop, panning sustain and loop
    out.U8((envelope.empty() ? 0 : 1) | (instrument.VolumeSustain >= 0 ? 2 : 0));
    out.U8(0);
    out.U8(0); // sine vibrato
    out.U8(instrument.VibratoSweep);
    out.U8(instrument.VibratoDepth);
    out.U8(instrument.VibratoRate);
    out.U16(instrument.Fadeout);
    out.Zeros(InstrumentHeaderSize - (out.Size() - start));

    // Lengths and loop points count bytes: two per 16-bit frame.
    out.U32(static_cast<uint32_t>(2 * sample.Data.size()));
    out.U32(2 * sample.LoopStart);
    out.U32(2 * sample.LoopLength);
    out.U8(sample.Volume);
    out.U8(static_cast<uint8_t>(sample.Finetune));
    out.U8((sample.LoopLength > 0 ? 1 : 0) | 0x10);
    out.U8(sample.Panning);
    out.U8(static_cast<uint8_t>(sample.RelativeNote));
    out.U8(0);
    out.Text(sample.Name, 22, "sample name");
    // Sample data are differences from the previous sample, wrapping in 16 bits.
    int16_t previous = 0;
    for (int16_t value : sample.Data) {
        out.U16(static_cast<uint16_t>(value - previous));
        previous = value;
    }
}

} // namespace

void TuneSample(TXmSample& sample, double sampleRate, double midiNoteAtRate) {
    // Middle C (XM C-4) plays a sample at 8363 Hz before the relative note and finetune.
    const double semitones = 12.0 * std::log2(sampleRate / 8363.0) + (60.0 - midiNoteAtRate);
    const long steps = std::lround(semitones * 128.0);
    long relative = steps / 128, fine = steps % 128;
    if (fine < -64) fine += 128, --relative;
    if (fine > 63) fine -= 128, ++relative;
    Require(relative >= -96 && relative <= 95, "sample " + sample.Name + " cannot be tuned");
    sample.RelativeNote = static_cast<int8_t>(relative);
    sample.Finetune = static_cast<int8_t>(fine);
}

std::string WriteXm(const TXmModule& module) {
    Require(module.Channels >= 2 && module.Channels <= 32 && module.Channels % 2 == 0,
            "channel count must be even, 2 to 32");
    Require(!module.Orders.empty() && module.Orders.size() <= 256, "1 to 256 song positions");
    Require(module.RestartPosition >= 0 &&
                module.RestartPosition < static_cast<int>(module.Orders.size()),
            "restart position outside the song");
    Require(module.Patterns.size() <= 256, "more than 256 patterns");
    Require(module.Instruments.size() <= 128, "more than 128 instruments");
    Require(module.Speed >= 1 && module.Speed <= 31, "speed must be 1 to 31");
    Require(module.Tempo >= 32 && module.Tempo <= 255, "tempo must be 32 to 255");
    for (uint8_t order : module.Orders)
        Require(order < module.Patterns.size(), "song position names a missing pattern");

    TBytes out;
    out.Text("Extended Module: ", 17, "signature");
    out.Text(module.Name, 20, "module name", ' ');
    out.U8(0x1A);
    out.Text("Quelmark mediagen", 20, "tracker name", ' ');
    out.U16(0x0104);
    out.U32(SongHeaderSize);
    out.U16(static_cast<unsigned>(module.Orders.size()));
    out.U16(static_cast<unsigned>(module.RestartPosition));
    out.U16(static_cast<unsigned>(module.Channels));
    out.U16(static_cast<unsigned>(module.Patterns.size()));
    out.U16(static_cast<unsigned>(module.Instruments.size()));
    out.U16(1); // linear frequency table
    out.U16(static_cast<unsigned>(module.Speed));
    out.U16(static_cast<unsigned>(module.Tempo));
    for (uint8_t order : module.Orders)
        out.U8(order);
    out.Zeros(256 - module.Orders.size());

    for (const auto& pattern : module.Patterns) {
        Require(pattern.Channels == module.Channels, "pattern width differs from the module's");
        Require(pattern.Rows >= 1 && pattern.Rows <= 256, "patterns hold 1 to 256 rows");
        const std::string packed = PackPattern(pattern);
        Require(packed.size() <= 0xFFFF, "pattern too large to pack");
        out.U32(PatternHeaderSize);
        out.U8(0);
        out.U16(static_cast<unsigned>(pattern.Rows));
        out.U16(static_cast<unsigned>(packed.size()));
        out.Raw(packed);
    }
    for (const auto& instrument : module.Instruments)
        WriteInstrument(out, instrument);
    return out.Take();
}

} // namespace mediagen
