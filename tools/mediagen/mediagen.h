// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The media generator: every model, mesh, picture, sound and the music, made from code.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mediagen {

// A file that could not be written; the text names it.
class EWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The folder the generated files go to.
class TOutput {
public:
    explicit TOutput(std::filesystem::path dir);
    const std::filesystem::path& Dir() const { return FDir; }
    // Full path of a generated file, e.g. Path("sheep.model").
    std::filesystem::path Path(std::string_view name) const;
    // Writes the bytes whole or raises EWriteError naming the file.
    void WriteBytes(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path FDir;
};

// One per kind of content; each writes its files into the output folder.
void GenerateModels(const TOutput& out);
void GeneratePictures(const TOutput& out);
void GenerateSounds(const TOutput& out);
void GenerateMusic(const TOutput& out);
void GenerateIcons(const TOutput& out);

} // namespace mediagen
