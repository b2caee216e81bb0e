// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pngencoder.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace mediagen {

void PutBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xff);
}

void PutPngChunk(std::string& out, const char* type, const std::string& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out += type;
    out += data;
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + start);
    PutBigEndian(out,
                 static_cast<uint32_t>(crc32(0, bytes, static_cast<uInt>(out.size() - start))));
}

namespace {

uint32_t PixelAt(const uint8_t* pixels, int stride, int x, int y) {
    uint32_t pixel;
    std::memcpy(&pixel, pixels + static_cast<ptrdiff_t>(y) * stride + 4 * x, sizeof pixel);
    return pixel;
}

bool Opaque(const uint8_t* pixels, int width, int height, int stride) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PixelAt(pixels, stride, x, y) >> 24 != 0xff) return false;
    return true;
}

// Cairo's rounding: a colour channel c under alpha a becomes (c * 255 + a / 2) / a.
uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
    return static_cast<uint8_t>((channel * 255 + alpha / 2) / alpha);
}

// Filter byte 0 ("none") and the row's bytes, for every row.
std::string RawRows(const uint8_t* pixels, int width, int height, int stride, bool alpha) {
    std::string raw;
    raw.reserve(static_cast<size_t>(height) * (1 + static_cast<size_t>(width) * (alpha ? 4 : 3)));
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = PixelAt(pixels, stride, x, y);
            const uint32_t a = pixel >> 24;
            uint32_t r = (pixel >> 16) & 0xff, g = (pixel >> 8) & 0xff, b = pixel & 0xff;
            if (alpha && a == 0) {
                r = g = b = 0;
            } else if (alpha && a != 0xff) {
                r = Unpremultiply(r, a);
                g = Unpremultiply(g, a);
                b = Unpremultiply(b, a);
            }
            raw += static_cast<char>(r);
            raw += static_cast<char>(g);
            raw += static_cast<char>(b);
            if (alpha) raw += static_cast<char>(a);
        }
    }
    return raw;
}

std::string Deflate(const std::string& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot compress a picture");
    out.resize(size);
    return out;
}

} // namespace

std::string EncodeArgbPng(const uint8_t* pixels, int width, int height, int stride) {
    const bool alpha = !Opaque(pixels, width, height, stride);
    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header += static_cast<char>(8);             // bits per channel
    header += static_cast<char>(alpha ? 6 : 2); // RGBA or RGB
    header.append(3, '\0');                     // deflate, filtering by row, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    PutPngChunk(png, "IHDR", header);
    PutPngChunk(png, "IDAT", Deflate(RawRows(pixels, width, height, stride, alpha)));
    PutPngChunk(png, "IEND", "");
    return png;
}

} // namespace mediagen
