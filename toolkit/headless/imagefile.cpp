#include "toolkit/headless/imagefile.h"

#include <fstream>
#include <vector>

namespace zarvik {

namespace {

bool sizesMatch(int width, int height, std::span<const std::uint8_t> rgb) {
    return width > 0 && height > 0 && rgb.size() == std::size_t(width) * std::size_t(height) * 3;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

}  // namespace

bool writeppm(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb) {
    if (!sizesMatch(width, height, rgb)) {
        return false;
    }
    const std::string head = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<std::uint8_t> out(head.begin(), head.end());
    out.insert(out.end(), rgb.begin(), rgb.end());
    return writeFile(path, out);
}

}  // namespace zarvik
