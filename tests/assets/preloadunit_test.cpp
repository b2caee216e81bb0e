// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/preloadunit.h"

#include "support/pngwriter.h"
#include "support/testdir.h"
#include "support/wavwriter.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

namespace {

std::string Png(int width, uint8_t red) {
    TPngImage image;
    image.Width = width;
    image.Height = 1;
    for (int x = 0; x < width; ++x)
        image.Pixels.insert(image.Pixels.end(), {red, 0, 0});
    return EncodePng(image);
}

const char* const Mesh = "<MESH><NAME>tri</NAME><FACECOUNT>0</FACECOUNT><POINTCOUNT>1</POINTCOUNT>"
                         "<POINTS><VERTEX id=\"0\"><X>1</X><Y>2</Y><Z>3</Z></VERTEX></POINTS>"
                         "<FACES/></MESH>";

TEST(Preloader, StartupFilesComeFirstPictureMeshesThenPicturesBySize) {
    TTestDir dir;
    dir.WriteFile("media/big.png", Png(64, 1));
    dir.WriteFile("media/small.png", Png(2, 1));
    dir.WriteFile("media/loading.png", Png(32, 1));
    dir.WriteFile("media/b.mesh", Mesh);
    dir.WriteFile("media/a.mesh", Mesh);
    dir.WriteFile("media/tune.xm", "");
    dir.WriteFile("media/notes.txt", "");
    dir.WriteFile("media/icons/icon.png", Png(2, 1));
    EXPECT_EQ(TPreloader::StartupFiles("media/", "loading.png"),
              (std::vector<std::string>{"media/loading.png", "media/a.mesh", "media/b.mesh",
                                        "media/tune.xm", "media/small.png", "media/big.png"}));
    EXPECT_EQ(TPreloader::StartupFiles("media/", "missing.png").front(), "media/a.mesh");
    EXPECT_TRUE(TPreloader::StartupFiles("nowhere/", "loading.png").empty());
}

TEST(Preloader, HandsOutWhatLoadedOnceAndNothingForFailuresOrOtherFiles) {
    TTestDir dir;
    dir.WriteFile("good.png", Png(3, 200));
    dir.WriteFile("bad.png", "not a picture");
    dir.WriteFile("good.mesh", Mesh);
    dir.WriteFile("bad.mesh", "<MESH><NAME>x</NAME>");
    TPreloader preloader({"good.png", "bad.png", "good.mesh", "bad.mesh", "gone.png"});
    preloader.WaitForAll();

    const std::optional<TTextureImage> image = preloader.TakeTexture("good.png");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->Pixels, DecodeTextureFile("good.png").Pixels);
    EXPECT_FALSE(preloader.TakeTexture("good.png").has_value()) << "handed out once";
    std::unique_ptr<TMesh> mesh = preloader.TakeMesh("good.mesh");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->Name(), "tri");
    EXPECT_EQ(mesh->Vertices().at(0).z, 3.0f);
    EXPECT_EQ(preloader.TakeMesh("good.mesh"), nullptr);
    for (const char* failed : {"bad.png", "gone.png", "unlisted.png"})
        EXPECT_FALSE(preloader.TakeTexture(failed).has_value()) << failed;
    EXPECT_EQ(preloader.TakeMesh("bad.mesh"), nullptr);
}

TEST(Preloader, LoadsMusicOnceTheMixerIsOpen) {
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024), 0) << Mix_GetError();
    {
        TTestDir dir;
        // The mixer plays a WAV file as music just as it plays a tracker module.
        dir.WriteFile("tune.xm", MakeWav(0.1));
        dir.WriteFile("noise.xm", "not music");
        TPreloader preloader({"tune.xm", "noise.xm"});
        preloader.WaitForAll();
        TMusicPtr music = preloader.TakeMusic("tune.xm");
        ASSERT_NE(music, nullptr);
        EXPECT_EQ(Mix_PlayMusic(music.get(), 0), 0) << Mix_GetError();
        Mix_HaltMusic();
        EXPECT_EQ(preloader.TakeMusic("tune.xm"), nullptr) << "handed out once";
        EXPECT_EQ(preloader.TakeMusic("noise.xm"), nullptr);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace
