// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// mediagen OUTDIR: writes every generated media file into OUTDIR.
#include "mediagen.h"

#include "game/optionslayoutunit.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <system_error>

namespace mediagen {

TOutput::TOutput(std::filesystem::path dir) : FDir(std::move(dir)) {}

std::filesystem::path TOutput::Path(std::string_view name) const {
    return FDir / name;
}

void TOutput::WriteBytes(std::string_view name, std::string_view bytes) const {
    const auto path = Path(name);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file) file.close();
    if (!file) throw EWriteError("cannot write " + path.string() + ": " + std::strerror(errno));
}

} // namespace mediagen

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: mediagen OUTDIR\n";
        return 2;
    }
    try {
        std::error_code error;
        std::filesystem::create_directories(argv[1], error);
        if (error)
            throw mediagen::EWriteError(std::string("cannot create ") + argv[1] + ": " +
                                        error.message());
        const mediagen::TOutput out(argv[1]);
        mediagen::GenerateModels(out);
        mediagen::GeneratePictures(out);
        mediagen::GenerateSounds(out);
        mediagen::GenerateMusic(out);
        mediagen::GenerateIcons(out);
        out.WriteBytes("options.xml", BuiltInOptionsLayout());
    } catch (const std::exception& error) {
        std::cerr << "mediagen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
