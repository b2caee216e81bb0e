// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/hoedown.h"

#include "audio/instruments.h"

#include <array>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace mediagen {

namespace {

enum EChannel { Lead, Bass, Strum1, Strum2, Strum3, Kick, Snare, Hat, ChannelCount };
enum EInstrument : uint8_t { Fiddle = 1, UprightBass, Banjo, KickDrum, SnareDrum, HiHat };

// Speed 6 at tempo 140: a row is a sixteenth note and a beat lasts 60/140 s.
constexpr int Speed = 6, Tempo = 140;
constexpr int RowsPerBeat = 4, RowsPerBar = 4 * RowsPerBeat, BarsPerPattern = 4;
constexpr uint8_t EffectExtended = 0x0E, NoteDelay = 0xD0;

struct TChord {
    int BassRoot;               // MIDI note of the bass's root
    std::array<int, 3> Voicing; // the banjo's three strings, MIDI
};

const TChord G{43, {62, 67, 71}};
const TChord C{48, {64, 67, 72}};
const TChord D{38, {62, 66, 69}};
const TChord D7{38, {66, 69, 72}};

// One bar of the tune: eight eighth-note slots. A slot is a note ("F#5"), two sixteenths
// ("D5+E5"), "-" to hold the previous note, or "." to let go of it.
struct TBar {
    const TChord* Chord;
    const char* Melody;
};

// The A part (eight bars, played twice) and the B part with its two endings; the second ending
// turns around on D7 to lead back to the top.
const TBar PartA[] = {
    {&G, "G4 A4 B4 D5 E5 D5 B4 D5"},  {&G, "G5 - F#5 G5 E5 D5 B4 A4"},
    {&C, "C5 E5 G5 E5 C5 E5 G5 E5"},  {&G, "D5 B4 G4 B4 D5+E5 D5 B4 A4"},
    {&G, "G4 A4 B4 D5 E5 D5 B4 D5"},  {&G, "G5 A5 B5 A5 G5 F#5 E5 D5"},
    {&D, "F#5 E5 D5 C5 A4 B4 C5 A4"}, {&G, "G4 - B4 - G4 - . ."},
};
const TBar PartB[] = {
    {&C, "C5 E5 G5 E5 A5 G5 E5 G5"},   {&C, "C6 - B5 A5 G5 E5 D5 C5"},
    {&G, "B4 D5 G5 D5 B4 D5 G5 B5"},   {&G, "A5 G5 E5 D5 B4+C5 B4 A4 B4"},
    {&C, "C5 E5 G5 A5 G5 E5 C5 E5"},   {&G, "D5 B4 G4 B4 D5 G5 D5 B4"},
    {&D, "A4 D5 F#5 A5 F#5 D5 C5 A4"}, {&G, "G4 B4 D5 B4 G4 - . ."},
};
const TBar Turnaround = {&D7, "D5 C5 A4 F#4 D4 F#4 A4 F#4"};

int ParseNote(const std::string& name) {
    static const int semitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        throw std::logic_error("bad note " + name);
    int note = semitones[name[0] - 'A'];
    size_t at = 1;
    if (name[at] == '#') ++note, ++at;
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '8')
        throw std::logic_error("bad note " + name);
    return note + 12 * (name[at] - '0' + 1);
}

// The nearest note of the G major scale above (step 1) or below (step -1) the given note.
int ScaleNeighbour(int note, int step) {
    static const bool inScale[12] = {true, false, true,  false, true,  false,
                                     true, true,  false, true,  false, true};
    do
        note += step;
    while (!inScale[note % 12]);
    return note;
}

class TArranger {
public:
    TArranger() : FPattern(BarsPerPattern * RowsPerBar, ChannelCount) {}

    // Writes bar `index` (0..3) of the pattern; `next` is the chord of the bar that follows.
    void Bar(int index, const TBar& bar, const TChord& next, bool fill, bool roll) {
        const int top = index * RowsPerBar;
        Melody(top, bar.Melody);
        WalkingBass(top, *bar.Chord, next, index % 2 == 1);
        if (roll)
            Roll(top, *bar.Chord);
        else
            Strums(top, *bar.Chord);
        Drums(top, fill);
    }

    TXmPattern Take() { return std::move(FPattern); }

private:
    TXmCell& Cell(int row, EChannel channel) { return FPattern.At(row, channel); }

    void Play(int row, EChannel channel, int midi, EInstrument instrument, int volume = -1) {
        auto& cell = Cell(row, channel);
        cell.Note = XmNote(midi);
        cell.Instrument = instrument;
        if (volume >= 0) cell.Volume = static_cast<uint8_t>(0x10 + volume);
    }

    void Melody(int top, const char* melody) {
        std::istringstream slots(melody);
        std::string slot;
        for (int row = top; slots >> slot; row += 2) {
            if (slot == "-") continue;
            if (slot == ".") {
                Cell(row, Lead).Note = XmKeyOff;
                continue;
            }
            const auto plus = slot.find('+');
            if (plus == std::string::npos) {
                Play(row, Lead, ParseNote(slot), Fiddle);
            } else {
                Play(row, Lead, ParseNote(slot.substr(0, plus)), Fiddle);
                Play(row + 1, Lead, ParseNote(slot.substr(plus + 1)), Fiddle);
            }
        }
    }

    // Quarter notes: root, two chord tones, then a scale step into the next bar's root.
    void WalkingBass(int top, const TChord& chord, const TChord& next, bool turn) {
        const int root = chord.BassRoot, third = root + 4, fifth = root + 7;
        const int approach = fifth > next.BassRoot ? ScaleNeighbour(next.BassRoot, 1)
                                                   : ScaleNeighbour(next.BassRoot, -1);
        const int line[] = {root, turn ? fifth : third, turn ? third : fifth, approach};
        for (int beat = 0; beat < 4; ++beat)
            Play(top + beat * RowsPerBeat, Bass, line[beat], UprightBass, beat == 0 ? 48 : 40);
    }

    // Banjo chords on every off-beat, the strings a tick apart like a quick strum.
    void Strums(int top, const TChord& chord) {
        const EChannel strings[] = {Strum1, Strum2, Strum3};
        for (int beat = 0; beat < 4; ++beat) {
            const int row = top + beat * RowsPerBeat + RowsPerBeat / 2;
            for (int s = 0; s < 3; ++s) {
                Play(row, strings[s], chord.Voicing[static_cast<size_t>(s)], Banjo);
                if (s > 0) {
                    Cell(row, strings[s]).Effect = EffectExtended;
                    Cell(row, strings[s]).Parameter = static_cast<uint8_t>(NoteDelay | s);
                }
            }
        }
    }

    // A banjo roll for the repeat: the chord's strings picked in turn on every eighth note,
    // high to low, each left ringing on its own channel.
    void Roll(int top, const TChord& chord) {
        const EChannel strings[] = {Strum1, Strum2, Strum3};
        for (int eighth = 0; eighth < 8; ++eighth) {
            const size_t string = 2 - static_cast<size_t>(eighth % 3);
            Play(top + 2 * eighth, strings[string], chord.Voicing[string], Banjo,
                 eighth % 2 == 0 ? 52 : 60);
        }
    }

    // Two-step: kick on 1 and 3, snare on 2 and 4, hats on the eighths; a fill of snare
    // sixteenths ends each part.
    void Drums(int top, bool fill) {
        for (int beat = 0; beat < 4; ++beat) {
            const int row = top + beat * RowsPerBeat;
            Play(row, beat % 2 == 0 ? Kick : Snare, 60, beat % 2 == 0 ? KickDrum : SnareDrum);
            Play(row, Hat, 60, HiHat, 10);
            Play(row + 2, Hat, 60, HiHat);
        }
        if (!fill) return;
        for (int step = 1; step < RowsPerBeat; ++step)
            Play(top + 3 * RowsPerBeat + step, Snare, 60, SnareDrum, 24 + 8 * step);
    }

    TXmPattern FPattern;
};

// Four bars as one pattern; `after` is the chord that follows the last of them. The banjo
// strums off-beat chords, or rolls when `roll` is set.
TXmPattern Arrange(const TBar* bars, const TChord& after, bool fill, bool roll = false) {
    TArranger arranger;
    for (int i = 0; i < BarsPerPattern; ++i) {
        const TChord& next = i + 1 < BarsPerPattern ? *bars[i + 1].Chord : after;
        arranger.Bar(i, bars[i], next, fill && i + 1 == BarsPerPattern, roll);
    }
    return arranger.Take();
}

} // namespace

TXmModule ComposeHoedown() {
    TXmModule song;
    song.Name = "Yeeha";
    song.Channels = ChannelCount;
    song.Speed = Speed;
    song.Tempo = Tempo;

    const TBar secondEnding[] = {PartB[4], PartB[5], PartB[6], Turnaround};
    song.Patterns.push_back(Arrange(PartA, *PartA[4].Chord, false));          // 0: A, bars 1-4
    song.Patterns.push_back(Arrange(PartA + 4, *PartB[0].Chord, true));       // 1: A, bars 5-8
    song.Patterns.push_back(Arrange(PartB, *PartB[4].Chord, false));          // 2: B, bars 1-4
    song.Patterns.push_back(Arrange(PartB + 4, *PartB[0].Chord, true));       // 3: B, first ending
    song.Patterns.push_back(Arrange(secondEnding, *PartA[0].Chord, true));    // 4: B, turnaround
    song.Patterns.push_back(Arrange(PartA, *PartA[4].Chord, false, true));    // 5: A rolled
    song.Patterns.push_back(Arrange(PartA + 4, *PartB[0].Chord, true, true)); // 6: A rolled
    // AABB, 32 bars, the banjo rolling through the second A; after the last position the song
    // restarts at the first.
    song.Orders = {0, 1, 5, 6, 2, 3, 2, 4};
    song.RestartPosition = 0;

    song.Instruments = {MakeFiddle(), MakeUprightBass(), MakeBanjo(),
                        MakeKick(),   MakeSnare(),       MakeHat()};
    return song;
}

} // namespace mediagen
