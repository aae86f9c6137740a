// StretchDIBits: a device-independent bitmap copied into a DC's backing image,
// stretched or shrunk by taking the nearest source pixel.
//
// Only what the program hands it: top-down bitmaps (a negative biHeight) of
// 32 bits a pixel in BI_RGB, DIB_RGB_COLORS, SRCCOPY. The pixels are blue,
// green, red and an unused byte, which is the layout of a Cairo RGB24 image on
// a little-endian machine.
#include "platform/gdi32/gdi_state.h"
#include "platform/seam/backend.h"

#include <algorithm>
#include <cstdint>

namespace {

bool supported(const BITMAPINFO* info, UINT usage, DWORD rop) {
    if (!info || usage != DIB_RGB_COLORS || rop != SRCCOPY) return false;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    return header.biBitCount == 32 && header.biCompression == BI_RGB && header.biWidth > 0 &&
           header.biHeight < 0;
}

// The source column or row for a destination one, counted from the rectangle's start.
int nearest(int destination, int destinationSize, int sourceSize) {
    return static_cast<int>((static_cast<std::int64_t>(destination) * sourceSize) / destinationSize);
}

}  // namespace

int WINAPI StretchDIBits(HDC handle, int xDest, int yDest, int destWidth, int destHeight, int xSource,
                         int ySource, int sourceWidth, int sourceHeight, const void* bits,
                         const BITMAPINFO* info, UINT usage, DWORD rop) {
    gdi::DeviceContext* dc = gdi::findDC(handle);
    if (!dc || !bits || !supported(info, usage, rop) || destWidth <= 0 || destHeight <= 0 ||
        sourceWidth <= 0 || sourceHeight <= 0)
        return 0;
    if (!dc->image) return destHeight;
    const int bitmapWidth = info->bmiHeader.biWidth, bitmapHeight = -info->bmiHeader.biHeight;
    cairo_surface_t* image = dc->image;
    cairo_surface_flush(image);
    const int imageWidth = cairo_image_surface_get_width(image);
    const int imageHeight = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    unsigned char* target = cairo_image_surface_get_data(image);
    const auto* source = static_cast<const std::uint32_t*>(bits);
    const int left = std::max(xDest, 0), right = std::min(xDest + destWidth, imageWidth);
    const int top = std::max(yDest, 0), bottom = std::min(yDest + destHeight, imageHeight);
    for (int y = top; y < bottom; ++y) {
        const int row = ySource + nearest(y - yDest, destHeight, sourceHeight);
        if (row < 0 || row >= bitmapHeight) continue;
        auto* line = reinterpret_cast<std::uint32_t*>(target + static_cast<std::ptrdiff_t>(y) * stride);
        const std::uint32_t* sourceLine = source + static_cast<std::ptrdiff_t>(row) * bitmapWidth;
        for (int x = left; x < right; ++x) {
            const int column = xSource + nearest(x - xDest, destWidth, sourceWidth);
            if (column >= 0 && column < bitmapWidth) line[x] = sourceLine[column] & 0xFFFFFF;
        }
    }
    cairo_surface_mark_dirty(image);
    if (right > left && bottom > top) backend::present(dc->window, image, RECT{left, top, right, bottom});
    return destHeight;
}
