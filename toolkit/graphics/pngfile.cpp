#include "toolkit/graphics/pngfile.h"

#include <png.h>

#include "toolkit/graphics/graphic.h"
#include "toolkit/screen/pixels.h"
#include "toolkit/screen/window.h"
#include "util/files.h"

namespace zarvik {
namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

// The whole PNG stream in memory; nothing when libpng fails.
std::optional<Bytes> encode(int width, int height, std::span<const std::uint8_t> rgb) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return std::nullopt;
    }
    png_infop info = png_create_info_struct(png);
    Bytes out;
    // libpng reports its errors by a long jump back here; nothing below owns anything but `out`.
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::nullopt;
    }
    png_set_write_fn(png, &out, appendBytes, noFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t row = std::size_t(width) * 3;
    for (int y = 0; y < height; ++y) {
        png_write_row(png, rgb.data() + row * std::size_t(y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

std::optional<Bytes> pngFileBytes(int width, int height, std::span<const std::uint8_t> rgb) {
    // PNG allows 2^31 - 1 a side; the picture must also be exactly the pixels named.
    if (width <= 0 || height <= 0 || rgb.size() / 3 / std::size_t(width) != std::size_t(height) ||
        rgb.size() != std::size_t(width) * std::size_t(height) * 3) {
        return std::nullopt;
    }
    return encode(width, height, rgb);
}

bool g_WritePNG(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb) {
    const std::optional<Bytes> stream = pngFileBytes(width, height, rgb);
    return stream && setbinarytofile(path, *stream) == 0;
}

std::vector<std::uint8_t> g_ScreenRGB(std::uint8_t window) {
    if (window >= t_WindowCount || !t_ToolkitReady() || !t_WindowRecord(window).Initialized) {
        return {};
    }
    const t_Window& record = t_WindowRecord(window);
    std::vector<std::uint8_t> rgb;
    rgb.reserve(std::size_t(record.Width) * std::size_t(record.Height) * 3);
    for (int y = 0; y < record.Height; ++y) {
        for (int x = 0; x < record.Width; ++x) {
            const t_RGBColor c = t_ColorOfValue(g_Scrn(window, x, y));
            rgb.insert(rgb.end(), {c.Red, c.Green, c.Blue});
        }
    }
    return rgb;
}

bool g_IsPNGName(std::string_view path) {
    if (path.size() < 4) {
        return false;
    }
    std::string end(path.substr(path.size() - 4));
    for (char& c : end) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return end == ".png";
}

}  // namespace zarvik
