// Sound effects: opening the mixer and fire-and-forget WAV samples.
#pragma once

#include <string>
#include <vector>

struct Mix_Chunk;

// Opens SDL audio and the mixer (22050 Hz, S16LSB, stereo, 1024 samples); false when
// either fails, after logging SDL's reason.
bool InitSound();

class TSound {
public:
    // Loads the WAV file; an unreadable file leaves a silent sound.
    explicit TSound(const std::string& fileName);
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

// A list of sounds that does not own them (the media manager keeps them).
class TSoundList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TSound* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    void Add(TSound* sound) { FItems.push_back(sound); }
    // The first sound whose name matches exactly, or nullptr.
    TSound* FindByName(const std::string& name) const;

private:
    std::vector<TSound*> FItems;
};
