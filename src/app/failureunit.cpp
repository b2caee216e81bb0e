// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/failureunit.h"

namespace {

// The file belongs to one exception object only, so a note left by an error that was caught
// and handled further up never names the file of a later, unrelated one.
thread_local std::exception_ptr NotedError;
thread_local std::string NotedFile;

// A reason may quote the damaged bytes themselves; control characters are written as
// escapes so the description stays one harmless line on a terminal and in the log.
std::string OneLine(const std::string& text) {
    static const char Hex[] = "0123456789abcdef";
    std::string line;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n') {
            line += "\\n";
        } else if (byte < 0x20 || byte == 0x7f) {
            line += "\\x";
            line += Hex[byte >> 4];
            line += Hex[byte & 15];
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace

void NoteFailingFile(const std::string& fileName) {
    std::exception_ptr current = std::current_exception();
    if (!current || current == NotedError) return;
    NotedError = current;
    NotedFile = fileName;
}

std::string DescribeFailure(const std::exception_ptr& error) {
    std::string reason = "unknown error";
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
    }
    if (error && error == NotedError) reason = NotedFile + ": " + reason;
    return OneLine(reason);
}
