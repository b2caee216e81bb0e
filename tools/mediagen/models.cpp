// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Generated models: the viking, sheep, ram, tree and fence, and every mesh they name.
#include "models.h"

namespace mediagen {

std::vector<TKey> StrideKeys(const std::string& contactA, const std::string& passA,
                             const std::string& contactB, const std::string& passB) {
    return {{contactA, 0}, {passA, 12},    {contactB, 25}, {passB, 37},    {contactA, 50},
            {passA, 62},   {contactB, 75}, {passB, 87},    {contactA, 100}};
}

void GenerateModels(const TOutput& out) {
    TMeshSet meshes;
    MakeViking(meshes, out);
    MakeSheep(meshes, out);
    MakeRam(meshes, out);
    MakeTree(meshes, out);
    MakeFence(meshes, out);
    meshes.Write(out);
}

} // namespace mediagen
