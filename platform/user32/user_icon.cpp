// LoadIconA over the program's embedded resources: a .ico (palette bitmap with
// an AND mask, 1, 4 or 8 bits per pixel) becomes a 32 x 32 ARGB image.
// Anything malformed or of another size gives no icon.
#include "platform/seam/resources.h"
#include "platform/user32/user_state.h"

#include <cstdint>
#include <map>

__attribute__((weak)) const EmbeddedResource* embeddedResources = nullptr;
__attribute__((weak)) int embeddedResourceCount = 0;

namespace user {
namespace {

constexpr int iconSize = 32;

struct Reader {
    const unsigned char* bytes;
    std::size_t size;
    bool has(std::size_t offset, std::size_t count) const {
        return offset <= size && count <= size - offset;
    }
    std::uint32_t word(std::size_t at) const { return bytes[at] | bytes[at + 1] << 8; }
    std::uint32_t dword(std::size_t at) const { return word(at) | word(at + 2) << 16; }
};

// The bytes of the 32 x 32 image in the icon directory, or an empty reader.
Reader findImage(const Reader& file) {
    if (!file.has(0, 6) || file.word(0) != 0 || file.word(2) != 1) return Reader{};
    const std::size_t count = file.word(4);
    for (std::size_t entry = 6; entry < 6 + count * 16; entry += 16) {
        if (!file.has(entry, 16)) break;
        if (file.bytes[entry] != iconSize || file.bytes[entry + 1] != iconSize) continue;
        const std::size_t length = file.dword(entry + 8), offset = file.dword(entry + 12);
        if (file.has(offset, length)) return Reader{file.bytes + offset, length};
    }
    return Reader{};
}

cairo_surface_t* decode(const Reader& image) {
    constexpr std::size_t headerSize = 40;
    if (!image.has(0, headerSize) || image.dword(0) < headerSize) return nullptr;
    const std::int32_t width = static_cast<std::int32_t>(image.dword(4));
    const std::int32_t doubleHeight = static_cast<std::int32_t>(image.dword(8));
    const std::uint32_t bits = image.word(14), compression = image.dword(16);
    if (width != iconSize || doubleHeight != 2 * iconSize || compression != 0) return nullptr;
    if (bits != 1 && bits != 4 && bits != 8) return nullptr;
    std::size_t colours = image.dword(32);
    if (colours == 0 || colours > (1u << bits)) colours = std::size_t{1} << bits;
    const std::size_t palette = image.dword(0);
    const std::size_t pixels = palette + colours * 4;
    const std::size_t colourRow = (iconSize * bits + 31) / 32 * 4;
    const std::size_t maskRow = (iconSize + 31) / 32 * 4;
    const std::size_t mask = pixels + colourRow * iconSize;
    if (!image.has(mask, maskRow * iconSize)) return nullptr;

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, iconSize, iconSize);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < iconSize; ++y) {
        const std::size_t row = iconSize - 1 - y;  // bitmaps are stored bottom-up
        auto* out = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < iconSize; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * bits;
            const unsigned byte = image.bytes[pixels + row * colourRow + bit / 8];
            const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            const bool transparent = (image.bytes[mask + row * maskRow + x / 8] >> (7 - x % 8)) & 1;
            if (transparent || index >= colours) {
                out[x] = 0;
                continue;
            }
            const std::size_t entry = palette + index * 4;  // blue, green, red, reserved
            out[x] = 0xFF000000u | image.bytes[entry + 2] << 16 | image.bytes[entry + 1] << 8 |
                     image.bytes[entry];
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

// Icons live as long as the process, so their table is never destroyed.
auto& icons = *new std::map<HICON, cairo_surface_t*>;

}  // namespace

cairo_surface_t* iconImage(HICON icon) {
    auto found = icons.find(icon);
    return found == icons.end() ? nullptr : found->second;
}

}  // namespace user

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    static auto& loaded = *new std::map<int, HICON>;  // icons are shared: one handle per resource
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    if (instance != GetModuleHandleA(nullptr) || id > 0xFFFF) return nullptr;
    if (auto found = loaded.find(static_cast<int>(id)); found != loaded.end()) return found->second;
    for (int i = 0; i < embeddedResourceCount; ++i) {
        const EmbeddedResource& resource = embeddedResources[i];
        if (resource.id != static_cast<int>(id)) continue;
        cairo_surface_t* image = user::decode(user::findImage(user::Reader{resource.bytes, resource.size}));
        if (!image) return nullptr;
        // The handle is the surface itself; icons live as long as the process.
        auto icon = reinterpret_cast<HICON>(image);
        user::icons[icon] = image;
        loaded[static_cast<int>(id)] = icon;
        return icon;
    }
    return nullptr;
}
