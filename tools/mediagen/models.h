// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The five models of the game and the meshes they name, one maker per model.
#pragma once

#include "modelkit.h"

namespace mediagen {

void MakeViking(TMeshSet& meshes, const TOutput& out);
void MakeSheep(TMeshSet& meshes, const TOutput& out);
void MakeRam(TMeshSet& meshes, const TOutput& out);
void MakeTree(TMeshSet& meshes, const TOutput& out);
void MakeFence(TMeshSet& meshes, const TOutput& out);

// A run of two strides: contact, passing, contact, passing... back to the first contact,
// so the walk loops without a seam. Times in hundredths, as close to even as whole
// numbers allow.
std::vector<TKey> StrideKeys(const std::string& contactA, const std::string& passA,
                             const std::string& contactB, const std::string& passB);

} // namespace mediagen
