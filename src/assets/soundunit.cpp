// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/soundunit.h"

#include "app/logunit.h"

#include <SDL.h>
#include <SDL_mixer.h>

bool InitSound() {
    WriteLog("Initializing Sound and Mixer");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        WriteLog(std::string("No sdl audio: ") + SDL_GetError());
        return false;
    }
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) != 0) {
        WriteLog(std::string("No sdl mixer: ") + SDL_GetError());
        return false;
    }
    SetMixVolume(100, false);
    return true;
}

void SetMixVolume(int percent, bool musicMuted) {
    const int clamped = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    Mix_VolumeMusic(musicMuted ? 0 : MusicGainAtFull * clamped / 100);
    Mix_Volume(-1, EffectsGainAtFull * clamped / 100);
}

void TMusicFree::operator()(_Mix_Music* music) const {
    Mix_FreeMusic(music);
}

TMusicPtr LoadMusic(const std::string& fileName) {
    return TMusicPtr(Mix_LoadMUS(fileName.c_str()));
}

TSound::TSound(const std::string& fileName) {
    // Lower case, unlike the texture, mesh and model loaders: each line is kept as designed.
    WriteLog("loading " + fileName);
    SDL_RWops* file = SDL_RWFromFile(fileName.c_str(), "rb");
    // Mix_LoadWAV_RW closes the stream itself, but does not accept a missing one.
    if (file != nullptr) FChunk = Mix_LoadWAV_RW(file, 1);
    if (FChunk == nullptr) WriteLog("Unable to load wav " + fileName);
}

TSound::~TSound() {
    if (FChunk != nullptr) Mix_FreeChunk(FChunk);
    FChunk = nullptr;
}

void TSound::Play() {
    if (FChunk != nullptr) Mix_PlayChannelTimed(-1, FChunk, 0, -1);
}
