#pragma once
// Reading a PNG file back as any viewer would, through libpng's own reader: the RGB bytes row by
// row, and the size.
#include <png.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarvik::testing {

struct PngPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

inline std::optional<PngPicture> readPNG(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGB;
    PngPicture picture{int(image.width), int(image.height), std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
        return std::nullopt;
    }
    return picture;
}

}  // namespace zarvik::testing
