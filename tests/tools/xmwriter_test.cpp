// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/xmwriter.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>
#include <xmp.h>

namespace {

using namespace mediagen;

// A small module that uses every field the writer stores, each with a distinct value.
TXmModule SmallModule() {
    TXmModule module;
    module.Name = "Round trip";
    module.Channels = 4;
    module.Speed = 5;
    module.Tempo = 133;
    module.Orders = {1, 0, 1};
    module.RestartPosition = 1;
    module.Patterns.emplace_back(4, 4);
    module.Patterns.emplace_back(3, 4);
    module.Patterns[0].At(0, 0) = {XmNote(60), 1, 0x30, 0x0E, 0xD2}; // every column
    module.Patterns[0].At(2, 3) = {XmKeyOff, 0, 0, 0, 0};            // a flag byte, one column
    module.Patterns[0].At(3, 1) = {0, 0, 0, 0x0F, 0x07};             // effect only
    module.Patterns[1].At(1, 2) = {XmNote(24), 2, 0, 0, 0};

    TXmInstrument looped;
    looped.Name = "looped";
    looped.Sample.Name = "wave";
    looped.Sample.Data = {0, 1000, -32768, 32767, -5, 7};
    looped.Sample.LoopStart = 2;
    looped.Sample.LoopLength = 3;
    looped.Sample.Volume = 40;
    looped.Sample.Panning = 200;
    looped.Sample.RelativeNote = -3;
    looped.Sample.Finetune = 16;
    looped.VolumeEnvelope = {{0, 10}, {4, 64}, {20, 0}};
    looped.VolumeSustain = 1;
    looped.Fadeout = 300;
    looped.VibratoSweep = 3;
    looped.VibratoDepth = 4;
    looped.VibratoRate = 5;
    TXmInstrument plain;
    plain.Name = "plain";
    plain.Sample.Data = {-1, -2, -3};
    module.Instruments = {looped, plain};
    return module;
}

class XmRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        Bytes = WriteXm(SmallModule());
        Context = xmp_create_context();
        ASSERT_EQ(
            xmp_load_module_from_memory(Context, Bytes.data(), static_cast<long>(Bytes.size())), 0);
        xmp_module_info info{};
        xmp_get_module_info(Context, &info);
        Module = info.mod;
    }
    void TearDown() override {
        if (Module != nullptr) xmp_release_module(Context);
        xmp_free_context(Context);
    }
    const xmp_event& Event(int pattern, int row, int channel) const {
        const int track = Module->xxp[pattern]->index[channel];
        return Module->xxt[track]->event[row];
    }

    std::string Bytes;
    xmp_context Context = nullptr;
    const xmp_module* Module = nullptr;
};

TEST_F(XmRoundTrip, SongHeaderAndOrders) {
    EXPECT_STREQ(Module->name, "Round trip");
    EXPECT_EQ(Module->chn, 4);
    EXPECT_EQ(Module->spd, 5);
    EXPECT_EQ(Module->bpm, 133);
    EXPECT_EQ(Module->len, 3);
    EXPECT_EQ(Module->rst, 1);
    EXPECT_EQ(Module->ins, 2);
    EXPECT_EQ(std::vector<int>(Module->xxo, Module->xxo + 3), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(Module->xxp[0]->rows, 4);
    EXPECT_EQ(Module->xxp[1]->rows, 3);
}

// libxmp counts notes from C-0 = 13 and volumes from 1; effects keep their XM numbers.
TEST_F(XmRoundTrip, PackedCellsComeBackInTheirRowsAndChannels) {
    const auto& full = Event(0, 0, 0);
    EXPECT_EQ(full.note, 49 + 12);
    EXPECT_EQ(full.ins, 1);
    EXPECT_EQ(full.vol, 0x20 + 1);
    EXPECT_EQ(full.fxt, 0x0E);
    EXPECT_EQ(full.fxp, 0xD2);
    EXPECT_EQ(Event(0, 2, 3).note, XMP_KEY_OFF);
    EXPECT_EQ(Event(0, 2, 3).ins, 0);
    EXPECT_EQ(Event(0, 3, 1).note, 0);
    EXPECT_EQ(Event(0, 3, 1).fxt, 0x0F);
    EXPECT_EQ(Event(0, 3, 1).fxp, 7);
    EXPECT_EQ(Event(1, 1, 2).note, 13 + 12);
    EXPECT_EQ(Event(1, 1, 2).ins, 2);
    // Cells left empty stay empty, including the ones next to used ones.
    for (const auto& [pattern, row, channel] :
         {std::tuple{0, 0, 1}, {0, 1, 0}, {0, 2, 2}, {1, 1, 3}, {1, 2, 2}, {1, 0, 2}}) {
        const auto& event = Event(pattern, row, channel);
        EXPECT_EQ(event.note + event.ins + event.vol + event.fxt + event.fxp, 0)
            << pattern << " " << row << " " << channel;
    }
}

TEST_F(XmRoundTrip, InstrumentsKeepTheirSamplesAndEnvelopes) {
    const auto& looped = Module->xxi[0];
    EXPECT_STREQ(looped.name, "looped");
    EXPECT_EQ(looped.nsm, 1);
    EXPECT_EQ(looped.rls, 2 * 300); // libxmp keeps fadeout in half steps
    EXPECT_EQ(looped.aei.flg, XMP_ENVELOPE_ON | XMP_ENVELOPE_SUS);
    EXPECT_EQ(looped.aei.npt, 3);
    EXPECT_EQ(looped.aei.sus, 1);
    EXPECT_EQ(std::vector<short>(looped.aei.data, looped.aei.data + 6),
              (std::vector<short>{0, 10, 4, 64, 20, 0}));
    const auto& sub = looped.sub[0];
    EXPECT_EQ(sub.vol, 40);
    EXPECT_EQ(sub.pan, 200);
    EXPECT_EQ(sub.xpo, -3);
    EXPECT_EQ(sub.fin, 16);
    EXPECT_EQ(sub.vsw, 3);
    EXPECT_EQ(sub.vde, 4 * 4);
    EXPECT_EQ(sub.vra, 5);
    const auto& wave = Module->xxs[sub.sid];
    EXPECT_EQ(wave.len, 6);
    EXPECT_EQ(wave.lps, 2);
    EXPECT_EQ(wave.lpe, 5);
    EXPECT_EQ(wave.flg, XMP_SAMPLE_16BIT | XMP_SAMPLE_LOOP);
    // Deltas wrap in 16 bits: the extremes survive. (libxmp overwrites what follows the loop.)
    const auto* data = reinterpret_cast<const int16_t*>(wave.data);
    EXPECT_EQ(std::vector<int16_t>(data, data + 5),
              (std::vector<int16_t>{0, 1000, -32768, 32767, -5}));

    const auto& plain = Module->xxi[1];
    EXPECT_STREQ(plain.name, "plain");
    EXPECT_EQ(plain.aei.flg, 0);
    const auto& flat = Module->xxs[plain.sub[0].sid];
    EXPECT_EQ(flat.flg, XMP_SAMPLE_16BIT);
    const auto* flatData = reinterpret_cast<const int16_t*>(flat.data);
    EXPECT_EQ(std::vector<int16_t>(flatData, flatData + flat.len),
              (std::vector<int16_t>{-1, -2, -3}));
}

TEST(XmWriter, RefusesWhatTheFormatCannotHold) {
    const std::pair<const char*, std::function<void(TXmModule&)>> faults[] = {
        {"odd channel count", [](TXmModule& m) { m.Channels = 3; }},
        {"too many channels", [](TXmModule& m) { m.Channels = 34; }},
        {"no song positions", [](TXmModule& m) { m.Orders.clear(); }},
        {"missing pattern", [](TXmModule& m) { m.Orders[2] = 2; }},
        {"restart past the end", [](TXmModule& m) { m.RestartPosition = 3; }},
        {"long module name", [](TXmModule& m) { m.Name = std::string(21, 'x'); }},
        {"long instrument name",
         [](TXmModule& m) { m.Instruments[1].Name = std::string(23, 'x'); }},
        {"thirteen envelope points",
         [](TXmModule& m) { m.Instruments[0].VolumeEnvelope.resize(13); }},
        {"sustain on a missing point", [](TXmModule& m) { m.Instruments[0].VolumeSustain = 3; }},
        {"loop past the end", [](TXmModule& m) { m.Instruments[0].Sample.LoopLength = 5; }},
        {"volume above 64", [](TXmModule& m) { m.Instruments[1].Sample.Volume = 65; }},
        {"note above key off", [](TXmModule& m) { m.Patterns[1].At(2, 0).Note = 98; }},
        {"pattern of another width", [](TXmModule& m) { m.Patterns[1] = TXmPattern(3, 6); }},
        {"speed zero", [](TXmModule& m) { m.Speed = 0; }},
    };
    EXPECT_NO_THROW(WriteXm(SmallModule()));
    for (const auto& [what, spoil] : faults) {
        auto module = SmallModule();
        spoil(module);
        EXPECT_THROW(WriteXm(module), EXmError) << what;
    }
}

// Middle C plays a sample at 8363 Hz shifted by the relative note and 1/128 finetune steps.
TEST(XmWriter, TunesSamplesSoThatMiddleCSoundsMiddleC) {
    const struct {
        double Rate, MidiNote;
        int Relative, Finetune;
    } cases[] = {
        {8363, 60, 0, 0},     // as the format expects
        {16726, 60, 12, 0},   // twice as fast: an octave up
        {8363, 72, -12, 0},   // holds the C above
        {44100, 69, 20, -28}, // CD rate, holds A4: 19.78 semitones
        {22050, 43, 34, -28}, // 16.78 semitones, and G2 is 17 below C4
    };
    for (const auto& c : cases) {
        TXmSample sample;
        TuneSample(sample, c.Rate, c.MidiNote);
        EXPECT_EQ(sample.RelativeNote, c.Relative) << c.Rate << " " << c.MidiNote;
        EXPECT_EQ(sample.Finetune, c.Finetune) << c.Rate << " " << c.MidiNote;
    }
}

} // namespace
