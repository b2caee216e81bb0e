// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the texture decoder: a bad image must end in TTextureError,
// never a crash, and a good one must come out with complete padded rows.
#include "assets/textureunit.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const TTextureImage image = DecodeTextureMemory(data, size);
        if (image.Width <= 0 || image.Height <= 0 || image.RowBytes() % 4 != 0 ||
            image.Pixels.size() != image.RowBytes() * static_cast<size_t>(image.Height))
            std::abort();
    } catch (const TTextureError&) {
    }
    return 0;
}
