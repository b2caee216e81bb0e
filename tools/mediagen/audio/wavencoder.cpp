// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/wavencoder.h"

#include <algorithm>
#include <cstring>
#include <sndfile.h>
#include <stdexcept>

namespace mediagen {

namespace {

// libsndfile writes through these callbacks into a string instead of a file.
struct TMemoryFile {
    std::string Bytes;
    sf_count_t Position = 0;
};

sf_count_t Length(void* user) {
    return static_cast<sf_count_t>(static_cast<TMemoryFile*>(user)->Bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
    auto& file = *static_cast<TMemoryFile*>(user);
    const sf_count_t base = whence == SEEK_SET   ? 0
                            : whence == SEEK_CUR ? file.Position
                                                 : static_cast<sf_count_t>(file.Bytes.size());
    file.Position = std::max<sf_count_t>(0, base + offset);
    return file.Position;
}

sf_count_t Read(void* data, sf_count_t count, void* user) {
    auto& file = *static_cast<TMemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file.Bytes.size());
    const sf_count_t n = std::clamp<sf_count_t>(size - file.Position, 0, count);
    std::memcpy(data, file.Bytes.data() + file.Position, static_cast<size_t>(n));
    file.Position += n;
    return n;
}

sf_count_t Write(const void* data, sf_count_t count, void* user) {
    auto& file = *static_cast<TMemoryFile*>(user);
    const auto end = static_cast<size_t>(file.Position + count);
    if (file.Bytes.size() < end) file.Bytes.resize(end);
    std::memcpy(file.Bytes.data() + file.Position, data, static_cast<size_t>(count));
    file.Position += count;
    return count;
}

sf_count_t Tell(void* user) {
    return static_cast<TMemoryFile*>(user)->Position;
}

} // namespace

std::string EncodeWav(const TSignal& signal, int rate) {
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    TMemoryFile file;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* sound = sf_open_virtual(&io, SFM_WRITE, &info, &file);
    if (sound == nullptr)
        throw std::runtime_error(std::string("cannot encode WAV: ") + sf_strerror(nullptr));
    const auto samples = ToPcm16(signal);
    const auto count = static_cast<sf_count_t>(samples.size());
    const sf_count_t written = sf_write_short(sound, samples.data(), count);
    const std::string error = sf_strerror(sound);
    sf_close(sound);
    if (written != count) throw std::runtime_error("cannot encode WAV: " + error);
    return std::move(file.Bytes);
}

} // namespace mediagen
