// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the layout loader; every refusal must be a clear XML or
// conversion error (an element of no widget kind only ends its siblings). A tree that loads
// is then driven with pointer and key events all over the screen, which must be safe
// whatever sizes, margins and ranges the file gave its widgets.
#include "assets/streamunit.h"
#include "assets/xmlparser.h"
#include "gui/guiunit.h"

#include <cstdint>

namespace {

void Drive(TUiDesktop& desktop) {
    const int32_t spots[] = {INT32_MIN, -1, 0, 16, 50, 399, INT32_MAX};
    for (int32_t y : spots)
        for (int32_t x : spots) {
            desktop.MouseMove(x, y);
            desktop.MouseDown(x, y, mbLeft);
            desktop.MouseMove(x + (x < INT32_MAX ? 1 : 0), y);
            desktop.MouseUp(x, y, mbLeft);
            desktop.MouseDown(x, y, mbRight);
            desktop.MouseUp(x, y, mbRight);
            for (char key : {'a', '\b', '\r', '\t'})
                desktop.KeyPress(key);
        }
    desktop.FindByName("Button1");
    if (auto* list = dynamic_cast<TUiList*>(desktop.FindByName("List"))) try {
            list->SelectedItem();
        } catch (const EGuiError&) {
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TUiDesktop desktop;
    try {
        TMemoryStream input(bytes);
        LoadLayoutStream(desktop, input, "fuzz.xml");
    } catch (const EXMLError&) {
    } catch (const EConvertError&) {
    }
    // Whatever was attached before a failure stays usable.
    Drive(desktop);

    try {
        TMemoryStream input(bytes);
        std::unique_ptr<TUiWidget> widget = LoadWidgetFromStream(input, "w", "fuzz.xml");
        if (widget != nullptr) {
            TUiDesktop own;
            own.AddChild(std::move(widget));
            Drive(own);
        }
    } catch (const EXMLError&) {
    } catch (const EConvertError&) {
    }
    return 0;
}
