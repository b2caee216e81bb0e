// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/soundunit.h"
#include "support/testdir.h"
#include "support/wavwriter.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override {
        Mix_CloseAudio();
        SDL_Quit();
    }
    TTestDir Dir;
};

TEST_F(SoundTest, OpensTheMixerInTheGameFormat) {
    ASSERT_TRUE(InitSound());
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    EXPECT_EQ(rate, 22050);
    EXPECT_EQ(format, AUDIO_S16LSB);
    EXPECT_EQ(channels, 2);
    EXPECT_NE(Dir.ReadFile("log").find(" Initializing Sound and Mixer\n"), std::string::npos);
}

TEST_F(SoundTest, MissingAudioDriverFailsWithTheReasonLogged) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(InitSound());
    const std::string log = Dir.ReadFile("log");
    EXPECT_NE(log.find(" No sdl audio: "), std::string::npos) << log;
}

TEST_F(SoundTest, MissingOrBrokenWavGivesASilentSound) {
    ASSERT_TRUE(InitSound());
    Dir.WriteFile("media/broken.wav", "RIFF\x10\0\0\0WAVEjunkjunkjunk");
    for (const char* name : {"media/none.wav", "media/broken.wav"}) {
        TSound sound(name);
        EXPECT_EQ(sound.Chunk(), nullptr);
        sound.Play(); // nothing to hear, nothing to fail
    }
    const std::string log = Dir.ReadFile("log");
    EXPECT_NE(log.find(" loading media/none.wav\n"), std::string::npos);
    EXPECT_NE(log.find(" Unable to load wav media/none.wav\n"), std::string::npos);
    EXPECT_NE(log.find(" Unable to load wav media/broken.wav\n"), std::string::npos);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundTest, RepeatedPlaysOverlapAndExtrasAreDropped) {
    ASSERT_TRUE(InitSound());
    Dir.WriteFile("media/x2.wav", MakeWav(2.0));
    TSound sound("media/x2.wav");
    ASSERT_NE(sound.Chunk(), nullptr);
    EXPECT_EQ(Dir.ReadFile("log").find("Unable"), std::string::npos);
    sound.Play();
    sound.Play();
    EXPECT_EQ(Mix_Playing(-1), 2);
    const int channels = Mix_AllocateChannels(-1);
    for (int i = 0; i < channels + 4; ++i)
        sound.Play();
    EXPECT_EQ(Mix_Playing(-1), channels);
}

// Muting takes the music only: the effects keep the volume's gain.
TEST_F(SoundTest, MutedMusicIsSilentAndTheEffectsKeepTheirGain) {
    ASSERT_TRUE(InitSound());
    for (int volume : {10, 70, 100}) {
        SetMixVolume(volume, false);
        const int music = Mix_VolumeMusic(-1), effects = Mix_Volume(-1, -1);
        EXPECT_GT(music, 0) << volume;
        EXPECT_GT(effects, 0) << volume;
        SetMixVolume(volume, true);
        EXPECT_EQ(Mix_VolumeMusic(-1), 0) << volume;
        EXPECT_EQ(Mix_Volume(-1, -1), effects) << volume;
    }
}

TEST(SoundList, FindsTheFirstExactName) {
    TTestDir dir;
    TSound a("a.wav"), b("b.wav"), c("c.wav");
    a.SetName("x2");
    b.SetName("X2");
    c.SetName("x2");
    TSoundList list;
    EXPECT_EQ(list.FindByName("x2"), nullptr);
    list.Add(&a);
    list.Add(&b);
    list.Add(&c);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.FindByName("x2"), &a);
    EXPECT_EQ(list.FindByName("X2"), &b);
    EXPECT_EQ(list.FindByName("x"), nullptr);
    EXPECT_EQ(list.Items(2), &c);
}

} // namespace
