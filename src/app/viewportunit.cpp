// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/viewportunit.h"

#include <algorithm>

TViewport PictureViewport(int width, int height, int shapeWidth, int shapeHeight) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    const long long sw = std::max(shapeWidth, 1), sh = std::max(shapeHeight, 1);
    TViewport area;
    // The side that does not fill the window is rounded to the nearest pixel.
    if (sh * width <= sw * height) {
        area.Width = width;
        area.Height = static_cast<int>(std::max((2 * sh * width + sw) / (2 * sw), 1LL));
    } else {
        area.Height = height;
        area.Width = static_cast<int>(std::max((2 * sw * height + sh) / (2 * sh), 1LL));
    }
    area.X = (width - area.Width) / 2;
    area.Y = (height - area.Height) / 2;
    return area;
}

bool IsWholeScaleUp(const TViewport& area) {
    return area.Width >= 1600 && area.Width % 800 == 0 && area.Height == area.Width / 4 * 3;
}

bool IsFractionalScale(const TViewport& area) {
    return !(area.Width == 800 && area.Height == 600) && !IsWholeScaleUp(area);
}

TOverlayPoint OverlayPoint(const TViewport& area, int surfaceHeight, int x, int y) {
    const int top = surfaceHeight - area.Y - area.Height;
    return {std::clamp((x - area.X) * 800 / area.Width, 0, 799),
            std::clamp((y - top) * 600 / area.Height, 0, 599)};
}

bool ResolvesNative(TRenderSize size, bool softwareRenderer) {
    return size == TRenderSize::Native || (size == TRenderSize::Auto && !softwareRenderer);
}
