// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Ordered lists of borrowed assets (meshes, textures, sounds) found by their exact name.
#pragma once

#include <string>
#include <vector>

// Does not own its items: the media manager keeps them for the life of the process.
template <typename T> class TNamedList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    T* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    void Add(T* item) { FItems.push_back(item); }
    // The first item whose Name() equals name exactly (case-sensitive), or nullptr.
    T* Find(const std::string& name) const {
        for (T* item : FItems)
            if (item->Name() == name) return item;
        return nullptr;
    }
    T* FindByName(const std::string& name) const { return Find(name); }

private:
    std::vector<T*> FItems;
};
