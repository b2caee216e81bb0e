// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What an error that ends the program says: the reason, and the file it came from.
#pragma once

#include <exception>
#include <string>

// Remembers that the exception now being handled came from reading fileName. Call it inside
// a catch block and rethrow: the exception itself, its type and its message stay as they are.
// The innermost file noted for one exception wins.
void NoteFailingFile(const std::string& fileName);

// "file: reason" when a loader noted the file this exception came from, else "reason"; the
// reason is what() of a std::exception, or "unknown error". Always one line: control
// characters come out as escapes (\n, \x1b).
std::string DescribeFailure(const std::exception_ptr& error);
