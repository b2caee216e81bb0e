// The game's icon at the desktop's usual sizes: a horned viking helmet on a grass disc.
#include "mediagen.h"

#include <cairo.h>

#include <cmath>
#include <string>

namespace mediagen {
namespace {

void SetHex(cairo_t* cr, unsigned rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                         (rgb & 0xFF) / 255.0);
}

// Fills the current path and strokes it with the dark outline every icon shares.
void FillOutlined(cairo_t* cr, unsigned rgb, double outline) {
    SetHex(cr, rgb);
    cairo_fill_preserve(cr);
    SetHex(cr, 0x2B2118);
    cairo_set_line_width(cr, outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// One curved horn from the helmet's side, mirrored by side = -1.
void Horn(cairo_t* cr, double side, double outline) {
    cairo_save(cr);
    cairo_translate(cr, 128, 0);
    cairo_scale(cr, side, 1);
    cairo_move_to(cr, 66, 168);
    cairo_curve_to(cr, 112, 162, 126, 104, 104, 36);
    cairo_curve_to(cr, 98, 88, 84, 116, 58, 126);
    cairo_close_path(cr);
    cairo_restore(cr);
    FillOutlined(cr, 0xF2EBD9, outline);
}

// Draws the icon on a 256-unit design grid scaled to size pixels.
void DrawIcon(cairo_t* cr, int size) {
    const double scale = size / 256.0;
    // Thin outlines vanish at 16 px: keep them at least about one pixel wide.
    const double outline = std::max(8.0, 1.3 / scale);
    cairo_scale(cr, scale, scale);

    cairo_arc(cr, 128, 128, 118, 0, 2 * M_PI);
    cairo_pattern_t* grass = cairo_pattern_create_linear(0, 10, 0, 246);
    cairo_pattern_add_color_stop_rgb(grass, 0, 0xB2 / 255.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(grass, 0.55, 0xB2 / 255.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(grass, 0.56, 0x6D / 255.0, 0xBE / 255.0, 0x45 / 255.0);
    cairo_pattern_add_color_stop_rgb(grass, 1, 0x4E / 255.0, 0x9A / 255.0, 0x2F / 255.0);
    cairo_set_source(cr, grass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(grass);
    SetHex(cr, 0x2B2118);
    cairo_set_line_width(cr, outline);
    cairo_stroke(cr);

    Horn(cr, -1, outline);
    Horn(cr, 1, outline);
    // The dome, its rim band and the nose guard.
    cairo_arc(cr, 128, 170, 78, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    FillOutlined(cr, 0xB8BCC4, outline);
    cairo_rectangle(cr, 44, 160, 168, 30);
    FillOutlined(cr, 0x8C919A, outline);
    cairo_rectangle(cr, 118, 160, 20, 56);
    FillOutlined(cr, 0x8C919A, outline);
    // A highlight gives the dome its roundness at the larger sizes.
    cairo_arc(cr, 104, 128, 16, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_fill(cr);
}

cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string IconPng(int size) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, size);
    cairo_destroy(cr);
    std::string png;
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, AppendPng, &png);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw EWriteError(std::string("cannot encode the icon: ") + cairo_status_to_string(status));
    return png;
}

} // namespace

void GenerateIcons(const TOutput& out) {
    std::filesystem::create_directories(out.Path("icons"));
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        out.WriteBytes("icons/quelmark-" + std::to_string(size) + ".png", IconPng(size));
}

} // namespace mediagen
