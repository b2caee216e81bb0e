// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Sound effects: opening the mixer, fire-and-forget WAV samples and the music.
#pragma once

#include "assets/namedlistunit.h"
#include <memory>
#include <string>
#include <vector>

struct Mix_Chunk;
struct _Mix_Music;

// Opens SDL audio and the mixer (22050 Hz, S16LSB, stereo, 1024 samples); false when
// either fails, after logging SDL's reason.
bool InitSound();

// The mixer gains (0..128) at full volume: the game's gain staging between the music and the
// effects. The effects peak at -3 dBFS and the music at about -10 dBFS at gain 128, so several
// effects over the music would clip. At these gains the music peaks near -16 dBFS and one
// effect near -12 dBFS, and the loudest moment of play (the sounds one blow starts together,
// such as swing, thump and bleat, plus one more effect at its peak, over the music's peak)
// stays below -1 dBFS.
inline constexpr int MusicGainAtFull = 64;
inline constexpr int EffectsGainAtFull = 44;

// One master volume over music and effects, in percent (0..100, clamped); muted music is
// silent while the effects keep the volume.
void SetMixVolume(int percent, bool musicMuted);

struct TMusicFree {
    void operator()(_Mix_Music* music) const;
};
using TMusicPtr = std::unique_ptr<_Mix_Music, TMusicFree>;

// The music file, ready to play once the mixer is open; nullptr when it cannot be loaded,
// with the reason in Mix_GetError() on the calling thread. Loading may run on any thread
// while nothing else loads or frees music: the mixer touches a piece only once it plays.
TMusicPtr LoadMusic(const std::string& fileName);

class TSound {
public:
    // Loads the WAV file; an unreadable file leaves a silent sound.
    explicit TSound(const std::string& fileName);
    // A silent sound that reads no file, for media managers that have none to give.
    TSound() = default;
    ~TSound();
    TSound(const TSound&) = delete;
    TSound& operator=(const TSound&) = delete;

    // Plays once on the first free channel; dropped when every channel is busy.
    void Play();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }
    Mix_Chunk* Chunk() const { return FChunk; }

private:
    Mix_Chunk* FChunk = nullptr;
    std::string FName;
};

// The sounds the media manager has loaded, found by name; it owns none of them.
class TSoundList : public TNamedList<TSound> {};
