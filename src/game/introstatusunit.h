// The title screen: a full-window picture over the background music, which starts here.
#pragma once

#include "game/screenkitunit.h"

#include <memory>
#include <string>

class TTexture;
struct _Mix_Music;

class TIntroStatus : public TKeyScreen {
public:
    // Starts "media/yeeha.xm" looping for the rest of the run; without it the game is silent.
    TIntroStatus();
    ~TIntroStatus() override;
    TIntroStatus(const TIntroStatus&) = delete;
    TIntroStatus& operator=(const TIntroStatus&) = delete;

    void Enter() override;
    void Leave() override;
    void Cycle() override;
    // Space starts a game on the level-start screen, Escape quits.
    void KeyDown(SDL_KeyboardEvent& event) override;

    // One frame for a frame time of dt seconds, left in the back buffer.
    void Draw(double dt);
    bool MusicPlaying() const;

    TFrameTimer Timer;

private:
    struct TMusicFree {
        void operator()(_Mix_Music* music) const;
    };
    std::unique_ptr<_Mix_Music, TMusicFree> FMusic;
    TTexture* FFont;
    TTexture* FPicture;
    std::string FFpsText;
};
