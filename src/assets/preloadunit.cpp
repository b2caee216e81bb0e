// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/preloadunit.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

namespace {

// Meshes read ahead hold data only: the loader's own mesh takes their contents over.
class TDataMesh : public TMesh {
public:
    void Draw() override {}
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TPreloader::TPreloader(std::vector<std::string> fileNames) : FFileNames(std::move(fileNames)) {
    for (const std::string& name : FFileNames)
        FResults[name];
    PrepareTextureDecoding();
    FThread = std::thread([this] { Work(); });
}

TPreloader::~TPreloader() {
    {
        std::lock_guard lock(FLock);
        FStopping = true;
    }
    FThread.join();
}

void TPreloader::Work() {
    // Where the two threads share one free core, the one opening the window goes first:
    // this thread has until the title to finish, that one shows the loading picture.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    ReadAll();
    std::lock_guard lock(FLock);
    FFinished = true;
    FDone.notify_all();
}

void TPreloader::WaitForAll() {
    std::unique_lock lock(FLock);
    FDone.wait(lock, [&] { return FFinished; });
}

void TPreloader::ReadAll() {
    for (const std::string& name : FFileNames) {
        {
            std::lock_guard lock(FLock);
            if (FStopping) return;
            // A file asked for before its turn is loaded by the one who asked.
            auto found = FResults.find(name);
            if (found == FResults.end() || std::exchange(found->second.Started, true)) continue;
        }
        TResult result;
        // A failure is left for the loader to meet again, with its own message.
        try {
            if (EndsWith(name, ".png")) {
                result.Image = DecodeTextureFile(name);
            } else if (EndsWith(name, ".mesh")) {
                result.Mesh = std::make_unique<TDataMesh>();
                TFileStream stream(name, TFileStream::fmOpenRead);
                result.Mesh->LoadFromStream(stream);
            } else if (EndsWith(name, ".xm")) {
                result.Music = LoadMusic(name);
            }
        } catch (const std::exception&) {
            result = TResult();
        }
        std::lock_guard lock(FLock);
        result.Started = result.Done = true;
        FResults[name] = std::move(result);
        FDone.notify_all();
    }
}

std::unique_ptr<TPreloader::TResult> TPreloader::Take(const std::string& fileName) {
    std::unique_lock lock(FLock);
    auto found = FResults.find(fileName);
    if (found == FResults.end()) return nullptr;
    if (!std::exchange(found->second.Started, true)) {
        FResults.erase(found);
        return nullptr;
    }
    FDone.wait(lock, [&] { return found->second.Done; });
    auto result = std::make_unique<TResult>(std::move(found->second));
    FResults.erase(found);
    return result;
}

std::optional<TTextureImage> TPreloader::TakeTexture(const std::string& fileName) {
    std::unique_ptr<TResult> result = Take(fileName);
    if (!result) return std::nullopt;
    return std::move(result->Image);
}

std::unique_ptr<TMesh> TPreloader::TakeMesh(const std::string& fileName) {
    std::unique_ptr<TResult> result = Take(fileName);
    if (!result) return nullptr;
    return std::move(result->Mesh);
}

TMusicPtr TPreloader::TakeMusic(const std::string& fileName) {
    std::unique_ptr<TResult> result = Take(fileName);
    if (!result) return nullptr;
    return std::move(result->Music);
}

std::vector<std::string> TPreloader::StartupFiles(const std::string& dir,
                                                  const std::string& first) {
    namespace fs = std::filesystem;
    std::vector<std::string> meshes, music;
    std::vector<std::pair<uintmax_t, std::string>> pictures;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        if (!entry.is_regular_file(error)) continue;
        const std::string name = dir + entry.path().filename().string();
        if (EndsWith(name, ".mesh"))
            meshes.push_back(name);
        else if (EndsWith(name, ".xm"))
            music.push_back(name);
        else if (EndsWith(name, ".png") && name != dir + first)
            pictures.emplace_back(entry.file_size(error), name);
    }
    std::sort(meshes.begin(), meshes.end());
    std::sort(music.begin(), music.end());
    std::sort(pictures.begin(), pictures.end());
    std::vector<std::string> files;
    if (fs::is_regular_file(dir + first, error)) files.push_back(dir + first);
    files.insert(files.end(), meshes.begin(), meshes.end());
    files.insert(files.end(), music.begin(), music.end());
    for (auto& [size, name] : pictures)
        files.push_back(std::move(name));
    return files;
}
