// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/mediamanagerunit.h"

#include "assets/glmeshunit.h"
#include "support/glwindow.h"
#include "support/pngwriter.h"
#include "support/testdir.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_opengl.h>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string MeshFile(const std::string& name) {
    return "<MESH><NAME>" + name +
           "</NAME><FACECOUNT>1</FACECOUNT><POINTCOUNT>3</POINTCOUNT>"
           "<POINTS><VERTEX id=\"0\"><X>0</X><Y>0</Y><Z>0</Z></VERTEX>"
           "<VERTEX id=\"1\"><X>1</X><Y>0</Y><Z>0</Z></VERTEX>"
           "<VERTEX id=\"2\"><X>0</X><Y>1</Y><Z>0</Z></VERTEX></POINTS>"
           "<FACES><FACE id=\"0\"><A>0</A><B>1</B><C>2</C></FACE></FACES></MESH>";
}

std::string Png(uint8_t red) {
    TPngImage image;
    image.Width = 1;
    image.Height = 1;
    image.Pixels = {red, 0, 0};
    return EncodePng(image);
}

// A mono 16-bit PCM WAV of a few silent samples.
std::string Wav() {
    const auto le = [](uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((value >> (8 * i)) & 0xff);
        return out;
    };
    const std::string samples(200, '\0');
    return "RIFF" + le(36 + samples.size(), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) +
           le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2) + "data" + le(samples.size(), 4) +
           samples;
}

class MediaManager : public ::testing::Test {
protected:
    std::string Log() const { return Dir.ReadFile("log"); }
    TTestDir Dir;
    TFileMediaManager Manager;
};

TEST_F(MediaManager, MeshesAreCachedUnderTheNameInTheirFile) {
    Dir.WriteFile("media/tree.mesh", MeshFile("tree"));
    Dir.WriteFile("media/bush.mesh", MeshFile("shrub"));
    TMesh* tree = Manager.GetMesh("tree");
    ASSERT_NE(tree, nullptr);
    EXPECT_NE(dynamic_cast<TGlMesh*>(tree), nullptr);
    EXPECT_EQ(Manager.GetMesh("tree"), tree);
    EXPECT_EQ(CountOf(Log(), " Loading media/tree.mesh\n"), 1);

    TMesh* bush = Manager.GetMesh("bush");
    ASSERT_NE(bush, nullptr);
    EXPECT_EQ(bush->Name(), "shrub");
    EXPECT_NE(Manager.GetMesh("bush"), bush) << "cached as shrub, so loaded again";
    EXPECT_EQ(CountOf(Log(), " Loading media/bush.mesh\n"), 2);
    EXPECT_EQ(Manager.Meshes().Count(), 3);
    EXPECT_EQ(Manager.GetMesh("shrub"), bush);
}

TEST_F(MediaManager, FailedMeshLoadsAreRetried) {
    Dir.WriteFile("media/broken.mesh", "<MESH><NAME>broken</NAME>");
    EXPECT_EQ(Manager.GetMesh("none"), nullptr);
    EXPECT_EQ(Manager.GetMesh("none"), nullptr);
    EXPECT_EQ(Manager.GetMesh("broken"), nullptr);
    EXPECT_EQ(CountOf(Log(), " Loading media/none.mesh\n"), 2);
    EXPECT_EQ(Manager.Meshes().Count(), 0);
}

// The window comes first so that it outlives the manager's textures.
struct TWindowFirst {
    TGlTestWindow Window;
};
class MediaManagerTextures : public TWindowFirst, public MediaManager {};

TEST_F(MediaManagerTextures, TexturesLoadOnceAndNamesAreCaseSensitive) {
    Dir.WriteFile("media/font.png", Png(200));
    Dir.WriteFile("media/Font.png", Png(100));
    TTexture* font = Manager.GetTexture("font");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name(), "font");
    EXPECT_NE(font->TextureId(), 0u);
    EXPECT_EQ(Manager.GetTexture("font"), font);
    EXPECT_EQ(CountOf(Log(), "Loading media/font.png\n"), 1);

    TTexture* other = Manager.GetTexture("Font");
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, font);
    EXPECT_EQ(other->Name(), "Font");
    EXPECT_EQ(Manager.Textures().Count(), 2);
}

TEST_F(MediaManagerTextures, MissingTexturesAreRetriedAndLoggedEachTime) {
    EXPECT_EQ(Manager.GetTexture("loading"), nullptr);
    EXPECT_EQ(Manager.GetTexture("loading"), nullptr);
    EXPECT_EQ(CountOf(Log(), " Loading media/loading.png\n"), 2);
    EXPECT_EQ(Manager.Textures().Count(), 0);
}

// What a sequence of loads gave: each result, then the log without its times.
std::string LoadAll(TFileMediaManager& manager, const TTestDir& dir) {
    std::string outcome;
    for (const char* name : {"tree", "broken", "broken", "tree"}) {
        const TMesh* mesh = manager.GetMesh(name);
        outcome += mesh ? mesh->Name() + std::to_string(mesh->Vertices().at(1).x) : "none";
        outcome += "\n";
    }
    for (const char* name : {"font", "broken", "broken", "font"}) {
        const TTexture* texture = manager.GetTexture(name);
        uint8_t rgb[3] = {};
        if (texture != nullptr) {
            texture->Bind();
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        }
        outcome += texture ? texture->Name() + std::to_string(rgb[0]) : "none";
        outcome += "\n";
    }
    std::string log = dir.ReadFile("log");
    for (size_t line = 0; line < log.size(); line = log.find('\n', line) + 1)
        log.erase(line, log.find(' ', line) - line);
    dir.WriteFile("log", "");
    return outcome + log;
}

// Reading ahead changes when the files are read, nothing else: the same objects and log
// lines, failures and their retries included.
TEST_F(MediaManagerTextures, PreloadedFilesLoadAsTheFilesThemselves) {
    Dir.WriteFile("media/tree.mesh", MeshFile("tree"));
    Dir.WriteFile("media/broken.mesh", "<MESH><NAME>broken</NAME>");
    Dir.WriteFile("media/font.png", Png(200));
    Dir.WriteFile("media/broken.png", "not a picture");
    const std::string plain = LoadAll(Manager, Dir);
    EXPECT_EQ(CountOf(plain, "Loading media/broken.png\n"), 2);

    TFileMediaManager preloading;
    auto preloader = std::make_unique<TPreloader>(TPreloader::StartupFiles("media/", "font.png"));
    preloader->WaitForAll();
    preloading.Preload(std::move(preloader));
    EXPECT_EQ(LoadAll(preloading, Dir), plain);
}

class MediaManagerSounds : public MediaManager {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_TRUE(InitSound());
    }
    // The mixer's thread must be gone before the process unloads its libraries.
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
};

TEST_F(MediaManagerSounds, MissingSoundsAreCachedSilent) {
    TSound* sound = Manager.GetSound("x2");
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->Chunk(), nullptr);
    EXPECT_EQ(sound->Name(), "x2");
    EXPECT_EQ(Manager.GetSound("x2"), sound);
    EXPECT_EQ(CountOf(Log(), " loading media/x2.wav\n"), 1);
    EXPECT_EQ(CountOf(Log(), " Unable to load wav media/x2.wav\n"), 1);
}

TEST_F(MediaManagerSounds, SoundsLoadFromTheirWavFile) {
    Dir.WriteFile("media/hit0.wav", Wav());
    TSound* hit = Manager.GetSound("hit0");
    ASSERT_NE(hit, nullptr);
    EXPECT_NE(hit->Chunk(), nullptr);
    EXPECT_NE(Manager.GetSound("Hit0"), hit);
    EXPECT_EQ(Manager.Sounds().Count(), 2);
}

// The music read ahead is handed out once, then read from its file; a failure read ahead is
// met again here, where the mixer's reason can be asked for.
TEST_F(MediaManagerSounds, MusicComesReadAheadOrFromItsFile) {
    Dir.WriteFile("media/tune.xm", Wav());
    Dir.WriteFile("media/noise.xm", "not music");
    auto preloader =
        std::make_unique<TPreloader>(std::vector<std::string>{"media/tune.xm", "media/noise.xm"});
    preloader->WaitForAll();
    Manager.Preload(std::move(preloader));
    EXPECT_NE(Manager.OpenMusic("media/tune.xm"), nullptr);
    EXPECT_NE(Manager.OpenMusic("media/tune.xm"), nullptr);
    SDL_ClearError();
    EXPECT_EQ(Manager.OpenMusic("media/noise.xm"), nullptr);
    EXPECT_STRNE(Mix_GetError(), "");
}

} // namespace
