// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Every picture of the game, drawn with Cairo and written as PNG.
#include "pictures.h"

#include "canvas.h"
#include "mediagen.h"

namespace mediagen {

// The 8 x 8 console font Debian ships in console-setup-linux.
constexpr const char* ConsoleFontPath = "/usr/share/consolefonts/Lat15-VGA8.psf.gz";

void GeneratePictures(const TOutput& out) {
    RequireTextFont();
    out.WriteBytes("loading.png", LoadingPicture());
    out.WriteBytes("intro.png", IntroPicture());
    out.WriteBytes("wri.png", LevelBannerPicture());
    out.WriteBytes("gameover.png", GameOverPicture());
    out.WriteBytes("gameoverhints.png", GameOverHintsPicture());
    out.WriteBytes("title.png", TitlePicture());
    out.WriteBytes("demo.png", DemoBannerPicture());
    out.WriteBytes("paused.png", PausedPicture());
    out.WriteBytes("volume.png", VolumePicture());
    out.WriteBytes("keycard.png", KeyCardPicture());
    out.WriteBytes("keyparts.png", KeyPartsPicture());
    out.WriteBytes("scores.png", ScoresPicture());
    out.WriteBytes("gentle.png", GentleBadgePicture());
    out.WriteBytes("daily.png", DailyLinePicture());
    out.WriteBytes("heart.png", HeartIcon());
    out.WriteBytes("sheep.png", SheepIcon());
    out.WriteBytes("point.png", PointIcon());
    out.WriteBytes("tile1.png", GrassTile());
    out.WriteBytes("font.png", FontPicture(LoadConsoleFont(ConsoleFontPath)));
    out.WriteBytes("numbers.png", NumbersPicture());
    for (const std::string& name : SkinNames())
        out.WriteBytes(name + ".png", SkinPicture(name));
}

} // namespace mediagen
