// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// PNG files written for fast loading: rows unfiltered, so the game's decoder only inflates.
// The chunk and number writers serve any PNG writer.
#pragma once

#include <cstdint>
#include <string>

namespace mediagen {

// Appends value as four bytes, most significant first.
void PutBigEndian(std::string& out, uint32_t value);
// Appends a chunk: length, type, data and the CRC of type and data.
void PutPngChunk(std::string& out, const char* type, const std::string& data);

// The bytes of a PNG file for a premultiplied 32-bit ARGB image in native byte order (the
// layout of a Cairo image surface), stride bytes apart per row. Colours are unpremultiplied
// as Cairo's own writer does; an image that is opaque everywhere is written without alpha.
std::string EncodeArgbPng(const uint8_t* pixels, int width, int height, int stride);

} // namespace mediagen
