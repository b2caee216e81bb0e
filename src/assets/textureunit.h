// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Image files turned into OpenGL textures, and a list that finds them by name.
#pragma once

#include "assets/namedlistunit.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct SDL_Surface;

// A texture file that is missing or cannot be decoded.
class TTextureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decoded pixels ready for upload: rows top to bottom in R, G, B (, A) byte order,
// each row padded to a multiple of 4 bytes (OpenGL's default unpack alignment).
struct TTextureImage {
    int Width = 0;
    int Height = 0;
    bool HasAlpha = false; // 4 bytes per pixel when set, else 3
    std::vector<uint8_t> Pixels;

    int BytesPerPixel() const { return HasAlpha ? 4 : 3; }
    size_t RowBytes() const {
        return (static_cast<size_t>(Width) * BytesPerPixel() + 3) & ~size_t{3};
    }
};

// Decodes a PNG file with SDL_image; throws TTextureError ("file <name> not found" for
// a missing file, a clear reason for any other). Needs no OpenGL context.
TTextureImage DecodeTextureFile(const std::string& fileName);
// The same for a PNG image held in memory.
TTextureImage DecodeTextureMemory(const void* data, size_t size);
// Any SDL surface (palette, grey, 16-bit, BGR or RGB order, any pitch) as upload rows.
TTextureImage TextureImageFromSurface(SDL_Surface& image);
// Readies the PNG decoder once, so that pictures may then be decoded on several threads.
void PrepareTextureDecoding();

// Loads the file into a new OpenGL texture (linear filtering) and stores its name in
// textureId. Needs a current OpenGL context; throws TTextureError when unreadable.
bool LoadTextureFile(const std::string& fileName, uint32_t& textureId);

class TTexture {
public:
    TTexture() = default;
    ~TTexture();
    TTexture(const TTexture&) = delete;
    TTexture& operator=(const TTexture&) = delete;

    // Logs "Loading <file>", then decodes it into a new texture; errors propagate. The
    // pixels go to OpenGL at the first Bind: pictures for later screens cost no upload
    // before the first screen is shown. Needs a current OpenGL context.
    void LoadFromFile(const std::string& fileName);
    // The same for a file decoded ahead of time into image: the same log line, the same
    // texture.
    void LoadFromImage(const std::string& fileName, TTextureImage image);
    // Binds to GL_TEXTURE_2D, uploading the pixels the first time; enables nothing and
    // sets no colour.
    void Bind() const;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }
    uint32_t TextureId() const { return FTextureId; }

private:
    std::string FName;
    uint32_t FTextureId = 0;
    // The pixels until the first Bind uploads them.
    mutable std::optional<TTextureImage> FPending;

    void Replace(TTextureImage image);
};

// The textures the media manager has loaded, found by name; it owns none of them.
class TTextureList : public TNamedList<TTexture> {};
