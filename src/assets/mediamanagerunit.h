// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Turns short asset names into loaded meshes, textures and sounds, each loaded once.
#pragma once

#include "assets/meshunit.h"
#include "assets/preloadunit.h"
#include "assets/soundunit.h"
#include "assets/textureunit.h"

#include <memory>
#include <string>
#include <vector>

// Hands out assets by name; callers borrow them, the manager keeps them.
class TGenericMediaManager {
public:
    virtual ~TGenericMediaManager() = default;
    // nullptr when the asset cannot be loaded.
    virtual TMesh* GetMesh(const std::string& name) = 0;
    virtual TTexture* GetTexture(const std::string& name) = 0;
    virtual TSound* GetSound(const std::string& name) = 0;
    // The music file (a path), for its one player to own; nullptr when it cannot be
    // loaded, with the reason in Mix_GetError().
    virtual TMusicPtr OpenMusic(const std::string& fileName) { return LoadMusic(fileName); }
};

// Caches every asset it ever handed out (owned until the manager dies); a failed load is
// not remembered, so the next request tries again. Names are compared case-sensitively.
class TCachedMediaManager : public TGenericMediaManager {
public:
    TCachedMediaManager();
    ~TCachedMediaManager() override;
    TCachedMediaManager(const TCachedMediaManager&) = delete;
    TCachedMediaManager& operator=(const TCachedMediaManager&) = delete;

    TMesh* GetMesh(const std::string& name) override;
    TTexture* GetTexture(const std::string& name) override;
    TSound* GetSound(const std::string& name) override;

    // The cached assets in load order; a mesh is found by the name written in its file.
    const TMeshList& Meshes() const { return FMeshes; }
    const TTextureList& Textures() const { return FTextures; }
    const TSoundList& Sounds() const { return FSounds; }

protected:
    // Called by the getters on a cache miss; nullptr when the asset cannot be loaded.
    virtual std::unique_ptr<TMesh> LoadMesh(const std::string& name) = 0;
    virtual std::unique_ptr<TTexture> LoadTexture(const std::string& name) = 0;
    virtual std::unique_ptr<TSound> LoadSound(const std::string& name) = 0;

private:
    std::vector<std::unique_ptr<TMesh>> FOwnedMeshes;
    std::vector<std::unique_ptr<TTexture>> FOwnedTextures;
    std::vector<std::unique_ptr<TSound>> FOwnedSounds;
    TMeshList FMeshes;
    TTextureList FTextures;
    TSoundList FSounds;
};

// Loads from "media/" + name + ".mesh" / ".png" / ".wav" under the working directory.
class TFileMediaManager : public TCachedMediaManager {
public:
    TFileMediaManager();
    ~TFileMediaManager() override;

    // Starts reading the media's pictures, meshes and music on a second thread (the
    // loading picture first), for the loads to come; nothing else changes, the log
    // included. The mixer must be open.
    void StartPreloading();
    // The music the second thread loaded, else loaded here.
    TMusicPtr OpenMusic(const std::string& fileName) override;
    // Loads take their files from preloader while one is set; nullptr drops what was read
    // ahead and not asked for, and later loads read their files.
    void Preload(std::unique_ptr<TPreloader> preloader);

protected:
    std::unique_ptr<TMesh> LoadMesh(const std::string& name) override;
    std::unique_ptr<TTexture> LoadTexture(const std::string& name) override;
    std::unique_ptr<TSound> LoadSound(const std::string& name) override;

private:
    std::unique_ptr<TPreloader> FPreloader;
};

// Serves no assets at all: for reading and checking model files without any media.
class TNullMediaManager : public TCachedMediaManager {
protected:
    std::unique_ptr<TMesh> LoadMesh(const std::string&) override { return nullptr; }
    std::unique_ptr<TTexture> LoadTexture(const std::string&) override { return nullptr; }
    std::unique_ptr<TSound> LoadSound(const std::string&) override { return nullptr; }
};
