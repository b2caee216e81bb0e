// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/mainunit.h"

int main(int argc, char** argv) {
    return QuelmarkMain(argc, argv);
}
