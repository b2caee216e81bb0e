// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/mediamanagerunit.h"

#include "assets/glmeshunit.h"

#include <exception>

namespace {

const std::string MediaDir = "media/";

// Takes ownership of a freshly loaded asset and lists it; a failed load stays unlisted.
template <typename T, typename TList>
T* Keep(std::unique_ptr<T> item, TList& list, std::vector<std::unique_ptr<T>>& owned) {
    if (!item) return nullptr;
    owned.push_back(std::move(item));
    list.Add(owned.back().get());
    return owned.back().get();
}

} // namespace

TCachedMediaManager::TCachedMediaManager() = default;
TCachedMediaManager::~TCachedMediaManager() = default;

TMesh* TCachedMediaManager::GetMesh(const std::string& name) {
    if (TMesh* mesh = FMeshes.Find(name)) return mesh;
    return Keep(LoadMesh(name), FMeshes, FOwnedMeshes);
}

TTexture* TCachedMediaManager::GetTexture(const std::string& name) {
    if (TTexture* texture = FTextures.FindByName(name)) return texture;
    return Keep(LoadTexture(name), FTextures, FOwnedTextures);
}

TSound* TCachedMediaManager::GetSound(const std::string& name) {
    if (TSound* sound = FSounds.FindByName(name)) return sound;
    return Keep(LoadSound(name), FSounds, FOwnedSounds);
}

TFileMediaManager::TFileMediaManager() = default;
TFileMediaManager::~TFileMediaManager() = default;

void TFileMediaManager::StartPreloading() {
    Preload(std::make_unique<TPreloader>(TPreloader::StartupFiles(MediaDir, "loading.png")));
}

void TFileMediaManager::Preload(std::unique_ptr<TPreloader> preloader) {
    FPreloader = std::move(preloader);
}

TMusicPtr TFileMediaManager::OpenMusic(const std::string& fileName) {
    if (TMusicPtr music = FPreloader ? FPreloader->TakeMusic(fileName) : nullptr) return music;
    return LoadMusic(fileName);
}

std::unique_ptr<TMesh> TFileMediaManager::LoadMesh(const std::string& name) {
    const std::string fileName = MediaDir + name + ".mesh";
    std::unique_ptr<TMesh> mesh = CreateMesh(GlMeshKind());
    try {
        // The mesh keeps the name written in its file; the cache finds it by that name.
        if (std::unique_ptr<TMesh> loaded = FPreloader ? FPreloader->TakeMesh(fileName) : nullptr)
            mesh->TakeOver(fileName, *loaded);
        else
            mesh->LoadFromFile(fileName);
    } catch (const std::exception&) {
        return nullptr;
    }
    return mesh;
}

std::unique_ptr<TTexture> TFileMediaManager::LoadTexture(const std::string& name) {
    const std::string fileName = MediaDir + name + ".png";
    auto texture = std::make_unique<TTexture>();
    try {
        if (std::optional<TTextureImage> image =
                FPreloader ? FPreloader->TakeTexture(fileName) : std::nullopt)
            texture->LoadFromImage(fileName, std::move(*image));
        else
            texture->LoadFromFile(fileName);
    } catch (const std::exception&) {
        return nullptr;
    }
    texture->SetName(name);
    return texture;
}

std::unique_ptr<TSound> TFileMediaManager::LoadSound(const std::string& name) {
    // A missing file gives a silent sound, which is cached like any other.
    auto sound = std::make_unique<TSound>(MediaDir + name + ".wav");
    sound->SetName(name);
    return sound;
}
