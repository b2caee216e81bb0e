// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The full pictures: intro, game over, loading, the HUD title, the level and demo banners,
// and the boards over any screen: the pause panel and the volume plaque.
#include "boards.h"
#include "canvas.h"
#include "farmscene.h"
#include "pictures.h"

#include <cmath>

namespace mediagen {
namespace {

constexpr double WindowWidth = 800, WindowHeight = 600;

// Erases the top-left corner, fading out softly to the right and downwards.
void ClearCorner(cairo_t* cr, double width, double height) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_scale(cr, width, height);
    cairo_pattern_t* fade = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 0.8, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
    cairo_set_source(cr, fade);
    cairo_paint(cr);
    cairo_pattern_destroy(fade);
    cairo_restore(cr);
}

void ControlsBoard(cairo_t* cr) {
    Board(cr, 40, 492, 720, 92, 14);
    TTextStyle label;
    label.Size = 17;
    label.Fill = colour::Cream;
    label.OutlineWidth = 3;
    label.Outline = colour::WoodDeep;
    const double keyY = 504, textY = 570;
    // Turn, walk, swing, start, quit: keys above, what they do below. The game draws the
    // play keys' caps, as the player has chosen them.
    CentredText(cr, "turn", 105, textY, label);
    CentredText(cr, "walk", 243, textY, label);
    CentredText(cr, "hold to swing", 378, textY, label);
    KeyCap(cr, 466, keyY, 130, "Space", 17);
    CentredText(cr, "start", 531, textY, label);
    KeyCap(cr, 646, keyY, 84, "Esc", 17);
    CentredText(cr, "quit", 688, textY, label);
}

} // namespace

std::string IntroPicture() {
    TCanvas canvas(1024, 1024);
    canvas.UseDesignSize(WindowWidth, WindowHeight);
    cairo_t* cr = canvas.Cr();
    DrawSky(cr, WindowWidth, 0, 340);
    DrawSun(cr, 700, 58, 30);
    DrawCloud(cr, 640, 70, 34);
    DrawCloud(cr, 150, 190, 26);
    DrawCloud(cr, 720, 210, 22);
    DrawHills(cr, WindowWidth, 330, 400);
    DrawMeadow(cr, WindowWidth, 352, WindowHeight);
    DrawFence(cr, -10, 810, 372, 36, 46);
    DrawTree(cr, 96, 400, 150);
    DrawTree(cr, 728, 388, 120);

    DrawRam(cr, 628, 452, 96, -1);
    DrawSheep(cr, 214, 448, 86, -1);
    DrawSheep(cr, 300, 486, 70, 1);
    DrawViking(cr, 420, 478, 92);

    TTextStyle title;
    title.Size = 100;
    title.Fill = colour::Focus;
    title.OutlineWidth = 10;
    title.Shadow = 6;
    CentredText(cr, "QUELMARK!", 400, 150, title);
    TTextStyle subtitle;
    subtitle.Size = 22;
    subtitle.Fill = 0xFFFFFF;
    subtitle.OutlineWidth = 5;
    CentredText(cr, "Clear the field of sheep. Mind the rams!", 400, 196, subtitle);
    TitleKeyLine(cr);

    ControlsBoard(cr);
    // The frame rate is written into the top-left corner under the picture.
    ClearCorner(cr, 230, 60);
    return canvas.Png("intro");
}

std::string GameOverPicture() {
    TCanvas canvas(1024, 1024);
    canvas.UseDesignSize(WindowWidth, WindowHeight);
    cairo_t* cr = canvas.Cr();
    // Evening sky: the day is over.
    cairo_rectangle(cr, 0, 0, WindowWidth, 340);
    SetVerticalGradient(cr, 0, 0x3E5A9E, 340, 0xF5B26B);
    cairo_fill(cr);
    DrawCloud(cr, 120, 70, 28, 0xF6C9B8);
    DrawCloud(cr, 690, 120, 30, 0xF6C9B8);
    DrawHills(cr, WindowWidth, 330, 400);
    DrawMeadow(cr, WindowWidth, 352, WindowHeight);
    DrawFence(cr, -10, 810, 372, 36, 46);
    DrawTree(cr, 96, 380, 130);
    // The sheep celebrate around the fallen helmet.
    DrawHelmet(cr, 110, 520, 90);
    DrawSheep(cr, 90, 470, 80, 1);
    DrawRam(cr, 690, 450, 100, -1);
    DrawSheep(cr, 700, 560, 80, -1);
    TTextStyle note;
    note.Size = 30;
    note.Fill = 0xFFFFFF;
    note.OutlineWidth = 4;
    CentredText(cr, "\u266A", 52, 392, note);
    CentredText(cr, "\u266B", 150, 400, note);
    CentredText(cr, "\u266A", 760, 470, note);

    TTextStyle title;
    title.Size = 96;
    title.Fill = 0xE8553E;
    title.OutlineWidth = 10;
    title.Shadow = 6;
    CentredText(cr, "GAME OVER", 400, 130, title);

    // The board holds the score, the name field (cut out: the widgets show through)
    // and the high-score rows, which the game writes in black.
    Board(cr, 196, 200, 408, 376, 18);
    ParchmentPlate(cr, 212, 216, 376, 344, 10);
    TTextStyle heading;
    heading.Size = 26;
    heading.Fill = colour::WoodDeep;
    CentredText(cr, "Well fought, viking!", 400, 256, heading);
    TTextStyle score;
    score.Size = 22;
    score.Fill = colour::WoodDeep;
    LeftText(cr, "SCORE", 250, 342, score);
    cairo_move_to(cr, 230, 376);
    cairo_line_to(cr, 570, 376);
    cairo_move_to(cr, 230, 425);
    cairo_line_to(cr, 570, 425);
    SetHex(cr, 0xC9B68E);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRect(cr, 293, 383, 214, 40, 6);
    SetHex(cr, colour::WoodDeep);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, 296, 386, 208, 34);
    cairo_fill(cr);
    cairo_restore(cr);
    return canvas.Png("gameover");
}

std::string GameOverHintsPicture() {
    // Each line drawn 1:1 in its own 512 x 32 band; the game puts the band's centre at x 400
    // and its top at y 574, below the board.
    TCanvas canvas(512, 64);
    cairo_t* cr = canvas.Cr();
    TTextStyle hint;
    hint.Size = 15;
    hint.Fill = 0xFFFFFF;
    hint.OutlineWidth = 4;
    CentredText(cr, "Return saves your name  \u2022  Space goes back to the title", 256, 20, hint);
    CentredText(cr, "Space goes back to the title", 256, 52, hint);
    return canvas.Png("gameoverhints");
}

std::string LoadingPicture() {
    TCanvas canvas(256, 256);
    cairo_t* cr = canvas.Cr();
    RoundedRect(cr, 4, 4, 248, 248, 28);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    DrawSky(cr, 256, 0, 150);
    DrawCloud(cr, 190, 50, 16);
    DrawHills(cr, 256, 140, 170);
    DrawMeadow(cr, 256, 150, 256);
    DrawFence(cr, 0, 256, 160, 22, 32);
    DrawSheep(cr, 128, 196, 110, 1);
    cairo_reset_clip(cr);
    RoundedRect(cr, 4, 4, 248, 248, 28);
    SetHex(cr, colour::WoodDeep);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    TTextStyle text;
    text.Size = 30;
    text.Fill = 0xFFFFFF;
    text.OutlineWidth = 6;
    CentredText(cr, "Loading\u2026", 128, 238, text);
    return canvas.Png("loading");
}

std::string TitlePicture() {
    // Laid out in window pixels: the picture covers x 0..200, y -20..180.
    TCanvas canvas(256, 256);
    canvas.UseDesignSize(200, 200);
    cairo_t* cr = canvas.Cr();
    cairo_translate(cr, 0, 20);
    SignBoard(cr, 4, 24, 186, 50);
    DrawHelmet(cr, 34, 52, 44);
    TTextStyle text;
    text.Size = 22;
    text.Fill = colour::Focus;
    text.OutlineWidth = 4;
    LeftText(cr, "Quelmark!", 62, 57, text);
    return canvas.Png("title");
}

std::string LevelBannerPicture() {
    // The game shows rows t = 0.3 to 0.65 stretched over 140 x 70 window pixels, with the
    // level digits (64 high) starting at its right edge: laid out in those pixels.
    TCanvas canvas(128, 256);
    cairo_t* cr = canvas.Cr();
    cairo_translate(cr, 0, 0.3 * 256);
    cairo_scale(cr, 128 / 140.0, 0.35 * 256 / 70);
    // A ribbon with a swallow-tail on the left and a square end under the digits.
    cairo_move_to(cr, 2, 8);
    cairo_line_to(cr, 140, 8);
    cairo_line_to(cr, 140, 58);
    cairo_line_to(cr, 2, 58);
    cairo_line_to(cr, 16, 33);
    cairo_close_path(cr);
    SetVerticalGradient(cr, 8, 0xE8553E, 58, 0xB8382A);
    cairo_fill_preserve(cr);
    SetHex(cr, colour::Ink);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_move_to(cr, 16, 14);
    cairo_line_to(cr, 140, 14);
    cairo_move_to(cr, 16, 52);
    cairo_line_to(cr, 140, 52);
    SetHex(cr, colour::Focus, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    TTextStyle text;
    text.Size = 28;
    text.Fill = 0xFFFFFF;
    text.OutlineWidth = 4;
    CentredText(cr, "LEVEL", 80, 44, text);
    return canvas.Png("wri");
}

std::string DemoBannerPicture() {
    // Drawn 400 x 50 window pixels from a 512 x 64 canvas: laid out in those pixels.
    TCanvas canvas(512, 64);
    canvas.UseDesignSize(400, 50);
    cairo_t* cr = canvas.Cr();
    SignBoard(cr, 3, 3, 390, 40);
    TTextStyle text;
    text.Size = 22;
    text.Fill = colour::Cream;
    text.OutlineWidth = 4;
    text.Outline = colour::WoodDeep;
    CentredText(cr, "Demo: press any key", 198, 31, text);
    return canvas.Png("demo");
}

} // namespace mediagen

namespace mediagen {

std::string PausedPicture() {
    // Drawn 1:1 in the middle of the window, over the dimmed field.
    TCanvas canvas(512, 256);
    cairo_t* cr = canvas.Cr();
    Board(cr, 8, 8, 492, 234, 18);
    CentredText(cr, "PAUSED", 254, 104, Outlined(64, colour::Focus, 8, colour::Ink, 4));
    const TTextStyle label = Outlined(20, colour::Cream, 3, colour::WoodDeep);
    KeyCap(cr, 96, 142, 48, "P", 20);
    LeftText(cr, "play on", 156, 166, label);
    KeyCap(cr, 300, 142, 64, "Esc", 17);
    LeftText(cr, "quit", 376, 166, label);
    CentredText(cr, "M music on/off  \u2022  \u2212 + volume  \u2022  F11 full screen", 254, 220,
                Outlined(14, colour::Cream, 3, colour::WoodDeep));
    return canvas.Png("paused");
}

std::string VolumePicture() {
    // Drawn 1:1; the game lights the bars between the speaker and the note.
    TCanvas canvas(256, 64);
    cairo_t* cr = canvas.Cr();
    WoodPanel(cr, 3, 3, 250, 58, 12, 0x94683E, 3);
    RoundedRect(cr, 56, 9, 144, 46, 6);
    SetHex(cr, colour::WoodDeep, 0.55);
    cairo_fill(cr);
    // The speaker: a box and its cone, with two waves.
    const double speaker[][2] = {{12, 25}, {22, 25}, {34, 14}, {34, 50}, {22, 39}, {12, 39}};
    cairo_new_path(cr);
    for (const auto& corner : speaker)
        cairo_line_to(cr, corner[0], corner[1]); // the first one starts the path
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    FillOutlined(cr, colour::Cream, 2.5, colour::Ink);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const double r : {7.0, 13.0}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 36, 32, r, -0.9, 0.9);
    }
    SetHex(cr, colour::Ink);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    SetHex(cr, colour::Cream);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    CentredText(cr, "\u266B", 226, 46, Outlined(34, colour::Cream, 4));
    return canvas.Png("volume");
}

} // namespace mediagen
