// Packs PNG pictures into one Windows icon file (each picture kept as PNG, which Windows reads
// since Vista): png_to_ico OUT.ico IN.png... The pictures are the SVG icon drawn at each size by
// packaging/render_icon.cpp, so the Windows icon and the Linux ones come from one drawing.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
std::uint32_t big_endian32(const std::string& data, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: png_to_ico OUT.ico IN.png...\n");
        return 2;
    }
    std::vector<std::string> pictures;
    std::string directory;
    put16(directory, 0);
    put16(directory, 1);  // an icon
    put16(directory, static_cast<unsigned>(argc - 2));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(argc - 2);
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // The signature, then the IHDR chunk with the width and height.
        if (png.size() < 24 || png.compare(1, 3, "PNG") != 0 || png.compare(12, 4, "IHDR") != 0) {
            std::fprintf(stderr, "png_to_ico: %s is not a PNG picture\n", argv[i]);
            return 1;
        }
        const std::uint32_t width = big_endian32(png, 16);
        const std::uint32_t height = big_endian32(png, 20);
        if (width == 0 || width > 256 || height == 0 || height > 256) {
            std::fprintf(stderr, "png_to_ico: %s is larger than an icon may be\n", argv[i]);
            return 1;
        }
        directory += static_cast<char>(width & 0xFF);  // 256 is written as 0
        directory += static_cast<char>(height & 0xFF);
        directory += '\0';  // no palette
        directory += '\0';
        put16(directory, 1);   // planes
        put16(directory, 32);  // bits per pixel
        put32(directory, static_cast<std::uint32_t>(png.size()));
        put32(directory, offset);
        offset += static_cast<std::uint32_t>(png.size());
        pictures.push_back(std::move(png));
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << directory;
    for (const std::string& png : pictures) out << png;
    out.close();
    if (!out) {
        std::fprintf(stderr, "png_to_ico: %s could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
