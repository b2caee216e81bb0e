// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the model loader; every refusal must be a clear error. A model
// that loads must save, load back to the same bytes, and animate safely.
#include "assets/mediamanagerunit.h"
#include "assets/modelunit.h"
#include "assets/xmlparser.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::string Save(const TModel& model) {
    TMemoryStream output;
    model.SaveToStream(output);
    return output.Data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream input(std::string(reinterpret_cast<const char*>(data), size));
    TNullMediaManager media;
    TModel model;
    try {
        model.LoadFromStream(input, media);
    } catch (const EXMLError&) {
        return 0;
    } catch (const EConvertError&) {
        return 0;
    }
    std::string saved = Save(model);
    TModel reloaded;
    TMemoryStream again(saved);
    reloaded.LoadFromStream(again, media);
    if (Save(reloaded) != saved) std::abort();

    TRealTimeModel animated;
    try {
        animated.Init(model);
    } catch (const EModelError&) {
        return 0;
    }
    int32_t count = static_cast<int32_t>(animated.Animations.size());
    for (int32_t animation = -1; animation <= count; ++animation)
        for (float time : {0.0f, 0.005f, 0.25f, 0.5f, 0.999999f, 1.0f, 7.5f, -3.0f}) {
            animated.Animate(animation, time);
            animated.IsPastTrigger(animation, time);
        }
    return 0;
}
