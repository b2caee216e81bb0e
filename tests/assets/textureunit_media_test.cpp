// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Every generated picture, loaded by the game's texture loader and read back from OpenGL,
// holds the pixels recorded here. A change to how the pictures are encoded or loaded must
// keep them; a picture whose drawing changes on purpose gets its entry updated.
#include "assets/textureunit.h"

#include "support/glwindow.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TPictureSum {
    const char* File;
    int Width, Height;
    bool HasAlpha;
    uint64_t Sum; // FNV-1a over the texture's rows, tightly packed
};

std::vector<TPictureSum> RecordedSums() {
    return {
        {"demo.png", 512, 64, true, 0x241b5bb6449b81a2u},
        {"font.png", 128, 128, true, 0x97c71e2328428f45u},
        {"gameover.png", 1024, 1024, true, 0xc5f9139fa309f8e4u},
        {"heart.png", 64, 64, true, 0x6405dc5540139febu},
        {"icons/quelmark-128.png", 128, 128, true, 0x28b3fab5bfa3b18au},
        {"icons/quelmark-16.png", 16, 16, true, 0x371f9d0fd4b3cd1au},
        {"icons/quelmark-24.png", 24, 24, true, 0x6123facc25849ceau},
        {"icons/quelmark-256.png", 256, 256, true, 0x09e1eae3f92e2b50u},
        {"icons/quelmark-32.png", 32, 32, true, 0x16a054c2ef6c3753u},
        {"icons/quelmark-48.png", 48, 48, true, 0x9d4829a2305650d6u},
        {"icons/quelmark-64.png", 64, 64, true, 0xb8b2a23e53283869u},
        {"interf3.png", 64, 64, true, 0xb0486e8987f14a8du},
        {"interf3b.png", 64, 64, true, 0x517953dfcd814495u},
        {"interf4.png", 64, 64, true, 0xdbb2d563139525adu},
        {"interf4g.png", 64, 64, true, 0x3c5e82cd7dac6165u},
        {"interf6.png", 64, 64, true, 0x72276da44e8c6e75u},
        {"interftick.png", 64, 64, true, 0xa38bef01001cdf87u},
        {"intro.png", 1024, 1024, true, 0x711eea114c1e1833u},
        {"loading.png", 256, 256, true, 0xfef4dc778cb3e91eu},
        {"numbers.png", 256, 256, true, 0x7fbbb3111bfbf7ceu},
        {"paused.png", 512, 256, true, 0x78f9fc10cf3389b7u},
        {"point.png", 64, 64, true, 0x8ac6f5821a19d95cu},
        {"sheep.png", 64, 64, true, 0x6bc18fc9ff6f43f8u},
        {"tile1.png", 256, 256, false, 0x0ec78dd12149d75au},
        {"title.png", 256, 256, true, 0x476696f78bdf7d7bu},
        {"volume.png", 256, 64, true, 0xc840eb4332b920dfu},
        {"wri.png", 128, 256, true, 0x9ca84f97edb4113cu},
    };
}

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 0xcbf29ce484222325u;
    for (uint8_t byte : bytes)
        hash = (hash ^ byte) * 0x100000001b3u;
    return hash;
}

// What the loader put into OpenGL for the file.
TPictureSum RoundTrip(const std::string& file) {
    uint32_t id = 0;
    LoadTextureFile(std::string(QUELMARK_MEDIA_DIR) + "/" + file, id);
    GLint width = 0, height = 0, format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    const bool alpha = format == GL_RGBA || format == GL_RGBA8;
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * (alpha ? 4 : 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, alpha ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glDeleteTextures(1, &id);
    return {nullptr, width, height, alpha, Fnv1a(pixels)};
}

TEST(GeneratedPictures, LoadWithTheRecordedPixels) {
    TGlTestWindow window;
    for (const TPictureSum& expected : RecordedSums()) {
        SCOPED_TRACE(expected.File);
        const TPictureSum actual = RoundTrip(expected.File);
        const bool same = actual.Width == expected.Width && actual.Height == expected.Height &&
                          actual.HasAlpha == expected.HasAlpha && actual.Sum == expected.Sum;
        // The entry as it would read now, for a picture changed on purpose.
        EXPECT_TRUE(same) << "now {\"" << expected.File << "\", " << actual.Width << ", "
                          << actual.Height << ", " << (actual.HasAlpha ? "true" : "false") << ", 0x"
                          << std::hex << actual.Sum << "u}";
    }
}

} // namespace
