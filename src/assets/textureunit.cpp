// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/textureunit.h"

#include "app/logunit.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>
#include <climits>
#include <cstring>
#include <memory>
#include <utility>

namespace {

// 32-bit masks that put the bytes of a pixel in memory as R, G, B, A on any byte order.
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
constexpr Uint32 RMask = 0xff000000, GMask = 0x00ff0000, BMask = 0x0000ff00, AMask = 0x000000ff;
#else
constexpr Uint32 RMask = 0x000000ff, GMask = 0x0000ff00, BMask = 0x00ff0000, AMask = 0xff000000;
#endif

struct TSurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using TSurfacePtr = std::unique_ptr<SDL_Surface, TSurfaceFree>;

// Any surface (palette, grey, 16-bit, BGR, colour key...) as 32-bit R, G, B, A bytes.
TSurfacePtr ToRgba(SDL_Surface* image) {
    TSurfacePtr target(SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, RMask, GMask, BMask, AMask));
    if (!target) return nullptr;
    return TSurfacePtr(SDL_ConvertSurface(image, target->format, SDL_SWSURFACE));
}

// An image of the surface's size without pixels yet.
TTextureImage SizedLike(const SDL_Surface& surface, bool hasAlpha) {
    TTextureImage result;
    result.Width = surface.w;
    result.Height = surface.h;
    result.HasAlpha = hasAlpha;
    return result;
}

// Copies the converted pixels into rows of 3 or 4 bytes per pixel, padded to 4 bytes.
TTextureImage Pack(const SDL_Surface& rgba, bool hasAlpha) {
    TTextureImage result = SizedLike(rgba, hasAlpha);
    const size_t rowBytes = result.RowBytes();
    const int bytes = result.BytesPerPixel();
    result.Pixels.assign(rowBytes * static_cast<size_t>(rgba.h), 0);
    for (int y = 0; y < rgba.h; ++y) {
        const auto* source = static_cast<const uint8_t*>(rgba.pixels) + y * rgba.pitch;
        uint8_t* dest = result.Pixels.data() + rowBytes * static_cast<size_t>(y);
        if (hasAlpha) {
            std::memcpy(dest, source, static_cast<size_t>(rgba.w) * 4);
            continue;
        }
        for (int x = 0; x < rgba.w; ++x)
            std::memcpy(dest + x * bytes, source + x * 4, static_cast<size_t>(bytes));
    }
    return result;
}

// Sides beyond this cannot be uploaded by common drivers; refusing them before decoding
// keeps a damaged or hostile header from allocating gigabytes.
constexpr uint32_t MaxSide = 8192;

// Width and height from the PNG header (the first chunk); 0 when the stream is too short.
std::pair<uint32_t, uint32_t> PngSize(SDL_RWops* stream) {
    uint8_t header[24] = {};
    const int start = SDL_RWtell(stream);
    const bool complete = SDL_RWread(stream, header, 1, sizeof header) == sizeof header;
    SDL_RWseek(stream, start, RW_SEEK_SET);
    if (!complete) return {0, 0};
    const auto bigEndian = [&](int at) {
        return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 |
               uint32_t{header[at + 2]} << 8 | uint32_t{header[at + 3]};
    };
    return {bigEndian(16), bigEndian(20)};
}

// Decodes a PNG stream (closed here in every case); subject names it in error texts.
// Only PNG is accepted: the game's textures are PNG files, and SDL_image's other
// decoders are not safe on damaged input.
TSurfacePtr DecodePng(SDL_RWops* stream, const std::string& subject) {
    const bool isPng = IMG_isPNG(stream) != 0;
    const auto [width, height] = isPng ? PngSize(stream) : std::pair<uint32_t, uint32_t>{};
    const bool tooLarge = width > MaxSide || height > MaxSide;
    TSurfacePtr image(isPng && !tooLarge ? IMG_LoadPNG_RW(stream) : nullptr);
    SDL_RWclose(stream);
    if (!isPng) throw TTextureError(subject + " is not a PNG image");
    if (tooLarge)
        throw TTextureError(subject + " is larger than " + std::to_string(MaxSide) + " x " +
                            std::to_string(MaxSide) + " pixels");
    if (!image) throw TTextureError(subject + " cannot be decoded: " + std::string(IMG_GetError()));
    return image;
}

} // namespace

// Whether the surface already holds R, G, B (, A) bytes per pixel, as PNG decoding gives
// them: its rows can then be copied as they are.
bool InUploadOrder(const SDL_Surface& image, bool hasAlpha) {
    const SDL_PixelFormat& format = *image.format;
    if (format.palette != nullptr || format.Rmask != RMask || format.Gmask != GMask ||
        format.Bmask != BMask)
        return false;
    // A colour key would take effect in the conversion.
    if (hasAlpha)
        return format.BitsPerPixel == 32 && format.Amask == AMask &&
               (image.flags & SDL_SRCCOLORKEY) == 0;
    // Three bytes keep the low three of the four-byte masks only on a little-endian machine.
    return SDL_BYTEORDER == SDL_LIL_ENDIAN && format.BitsPerPixel == 24;
}

// Copies rows that are already in upload order, in one go where the pitch agrees.
TTextureImage CopyRows(const SDL_Surface& image, bool hasAlpha) {
    TTextureImage result = SizedLike(image, hasAlpha);
    const size_t rowBytes = result.RowBytes();
    const size_t used = static_cast<size_t>(image.w) * static_cast<size_t>(result.BytesPerPixel());
    const auto* source = static_cast<const uint8_t*>(image.pixels);
    if (static_cast<size_t>(image.pitch) == rowBytes) {
        result.Pixels.assign(source, source + rowBytes * static_cast<size_t>(image.h));
        return result;
    }
    result.Pixels.assign(rowBytes * static_cast<size_t>(image.h), 0);
    for (int y = 0; y < image.h; ++y)
        std::memcpy(result.Pixels.data() + rowBytes * static_cast<size_t>(y),
                    source + static_cast<ptrdiff_t>(y) * image.pitch, used);
    return result;
}

TTextureImage TextureImageFromSurface(SDL_Surface& image) {
    // 24-bit images upload as RGB; every other depth is uploaded as RGBA.
    const bool hasAlpha = image.format->BitsPerPixel != 24;
    if (InUploadOrder(image, hasAlpha)) {
        SDL_Surface* surface = &image;
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
            throw TTextureError(std::string("image cannot be read: ") + SDL_GetError());
        TTextureImage result = CopyRows(image, hasAlpha);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        return result;
    }
    TSurfacePtr rgba = ToRgba(&image);
    if (!rgba) throw TTextureError(std::string("image cannot be converted: ") + SDL_GetError());
    if (SDL_MUSTLOCK(rgba.get()) && SDL_LockSurface(rgba.get()) != 0)
        throw TTextureError(std::string("image cannot be read: ") + SDL_GetError());
    TTextureImage result = Pack(*rgba, hasAlpha);
    if (SDL_MUSTLOCK(rgba.get())) SDL_UnlockSurface(rgba.get());
    return result;
}

TTextureImage DecodeTextureFile(const std::string& fileName) {
    SDL_RWops* stream = SDL_RWFromFile(fileName.c_str(), "rb");
    if (stream == nullptr) throw TTextureError("file " + fileName + " not found");
    return TextureImageFromSurface(*DecodePng(stream, "file " + fileName));
}

TTextureImage DecodeTextureMemory(const void* data, size_t size) {
    if (size > static_cast<size_t>(INT_MAX)) throw TTextureError("image in memory is too large");
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (stream == nullptr) throw TTextureError(std::string("image in memory: ") + SDL_GetError());
    return TextureImageFromSurface(*DecodePng(stream, "image in memory"));
}

void PrepareTextureDecoding() {
    IMG_Init(IMG_INIT_PNG);
}

namespace {

// A new texture with linear filtering, bound, without pixels yet.
uint32_t CreateTexture() {
    uint32_t textureId = 0;
    glGenTextures(1, &textureId);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return textureId;
}

// Into the bound texture.
void Upload(const TTextureImage& image) {
    const GLenum format = image.HasAlpha ? GL_RGBA : GL_RGB;
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.Width, image.Height, 0, format,
                 GL_UNSIGNED_BYTE, image.Pixels.data());
}

} // namespace

bool LoadTextureFile(const std::string& fileName, uint32_t& textureId) {
    const TTextureImage image = DecodeTextureFile(fileName);
    textureId = CreateTexture();
    Upload(image);
    return true;
}

TTexture::~TTexture() {
    if (FTextureId != 0) glDeleteTextures(1, &FTextureId);
}

void TTexture::LoadFromFile(const std::string& fileName) {
    // Capitalised, unlike the sound loader's "loading": each line is kept as designed.
    WriteLog("Loading " + fileName);
    Replace(DecodeTextureFile(fileName));
}

void TTexture::LoadFromImage(const std::string& fileName, TTextureImage image) {
    WriteLog("Loading " + fileName);
    Replace(std::move(image));
}

void TTexture::Replace(TTextureImage image) {
    // A second load replaces the first texture instead of leaking it.
    if (FTextureId != 0) glDeleteTextures(1, &FTextureId);
    FTextureId = CreateTexture();
    FPending = std::move(image);
}

void TTexture::Bind() const {
    glBindTexture(GL_TEXTURE_2D, FTextureId);
    if (!FPending) return;
    Upload(*FPending);
    FPending.reset();
}
