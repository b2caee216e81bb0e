// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up files read and decoded ahead of time on a second thread, while the first opens
// the screen and draws the loading picture. The loaders take the results instead of
// reading the files themselves; what they log, and when, stays theirs.
#pragma once

#include "assets/meshunit.h"
#include "assets/soundunit.h"
#include "assets/textureunit.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class TPreloader {
public:
    // Starts reading the files, in this order, on a thread of its own: ".png" files are
    // decoded to pictures, ".mesh" files loaded into meshes, ".xm" files loaded as music
    // (so the mixer must be open first), anything else is left alone.
    explicit TPreloader(std::vector<std::string> fileNames);
    // Stops after the file in hand; results not taken are dropped.
    ~TPreloader();
    TPreloader(const TPreloader&) = delete;
    TPreloader& operator=(const TPreloader&) = delete;

    // The file's picture or mesh, waiting for it while the thread is reading it. None when
    // the file is not on the list, was asked for before, has not been started yet (the
    // thread then skips it) or failed to load: the caller then loads it itself and meets
    // any failure first hand.
    std::optional<TTextureImage> TakeTexture(const std::string& fileName);
    std::unique_ptr<TMesh> TakeMesh(const std::string& fileName);
    TMusicPtr TakeMusic(const std::string& fileName);
    // Waits until the thread has been through the list, for callers that want every
    // file read before they go on.
    void WaitForAll();

    // The ".png", ".mesh" and ".xm" files directly in dir, in the order start-up wants
    // them: first, the picture named first; then the meshes (the models come first); then
    // the music (the title plays it); then the other pictures, smallest first.
    static std::vector<std::string> StartupFiles(const std::string& dir, const std::string& first);

private:
    struct TResult {
        bool Started = false; // by the thread, or by a caller that asked for it first
        bool Done = false;
        std::optional<TTextureImage> Image;
        std::unique_ptr<TMesh> Mesh;
        TMusicPtr Music;
    };

    std::vector<std::string> FFileNames;
    std::map<std::string, TResult> FResults;
    std::mutex FLock;
    std::condition_variable FDone;
    bool FStopping = false;
    bool FFinished = false;
    std::thread FThread;

    void Work();
    void ReadAll();
    // Waits for the file's result and hands it out once; nullptr when there is none.
    std::unique_ptr<TResult> Take(const std::string& fileName);
};
