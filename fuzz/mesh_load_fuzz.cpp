// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the mesh loader; every refusal must be a clear error.
#include "assets/meshunit.h"
#include "assets/xmlparser.h"

#include <cstdint>

namespace {

class TFuzzMesh : public TMesh {
public:
    void Draw() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream input(std::string(reinterpret_cast<const char*>(data), size));
    TFuzzMesh mesh;
    try {
        mesh.LoadFromStream(input);
    } catch (const EXMLError&) {
        return 0;
    } catch (const EConvertError&) {
        return 0;
    } catch (const EMeshError&) {
        return 0;
    }
    // A loaded mesh is consistent, so the geometry operations must be safe on it.
    mesh.ComputeNormals();
    mesh.BoundingRadius();
    return 0;
}
