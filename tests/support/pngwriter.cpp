// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/pngwriter.h"

#include "png/pngencoder.h"

#include <algorithm>

namespace {

using mediagen::PutBigEndian;
using mediagen::PutPngChunk;

// A zlib stream of stored (uncompressed) deflate blocks.
std::string StoredZlib(const std::string& raw) {
    std::string out = "\x78\x01";
    size_t pos = 0;
    do {
        const size_t length = std::min<size_t>(raw.size() - pos, 65535);
        const bool last = pos + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xff);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xff);
        out += static_cast<char>((~length >> 8) & 0xff);
        out.append(raw, pos, length);
        pos += length;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (char c : raw) {
        a = (a + static_cast<uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}

int Channels(TPngColour colour) {
    switch (colour) {
    case TPngColour::Rgb:
        return 3;
    case TPngColour::GreyAlpha:
        return 2;
    case TPngColour::Rgba:
        return 4;
    default:
        return 1;
    }
}

} // namespace

std::string EncodePng(const TPngImage& image) {
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(image.Width));
    PutBigEndian(header, static_cast<uint32_t>(image.Height));
    header += static_cast<char>(8);
    header += static_cast<char>(image.Colour);
    header.append(3, '\0'); // deflate, adaptive filtering, no interlace
    PutPngChunk(out, "IHDR", header);
    if (!image.Palette.empty())
        PutPngChunk(out, "PLTE", std::string(image.Palette.begin(), image.Palette.end()));
    if (!image.Transparency.empty())
        PutPngChunk(out, "tRNS", std::string(image.Transparency.begin(), image.Transparency.end()));
    const size_t rowBytes = static_cast<size_t>(image.Width) * Channels(image.Colour);
    std::string raw;
    for (int y = 0; y < image.Height; ++y) {
        raw += '\0'; // filter type "none"
        raw.append(image.Pixels.begin() + static_cast<long>(rowBytes * y),
                   image.Pixels.begin() + static_cast<long>(rowBytes * (y + 1)));
    }
    PutPngChunk(out, "IDAT", StoredZlib(raw));
    PutPngChunk(out, "IEND", "");
    return out;
}
