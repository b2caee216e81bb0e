// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the XML reader; a clear EXMLError is a fine answer, and a
// document that loads must save, and its saved text must load again without a crash.
#include "assets/xmlparser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream input(std::string(reinterpret_cast<const char*>(data), size));
    TXMLDocument document;
    try {
        document.LoadFromStream(input);
    } catch (const EXMLError&) {
        return 0;
    }
    TMemoryStream saved;
    document.SaveToStream(saved);
    saved.SetPosition(0);
    TXMLDocument again;
    try {
        again.LoadFromStream(saved);
    } catch (const EXMLError&) {
        // Names may hold bytes (such as "<" or an unbalanced quote) that cannot be
        // written back faithfully; only a crash would be a fault here.
    }
    return 0;
}
