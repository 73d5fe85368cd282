// LoadImageA for bitmap files. The file is decoded by the platform's BMP
// reader and becomes a 24-bit bottom-up DIB section (LR_CREATEDIBSECTION, as
// Windows gives for a 24-bit file) or a bitmap in the screen's format.
// cx and cy, when not zero, stretch the image to that size.
#include "platform/bmp/bmp_decoder.h"
#include "platform/display/blit.h"
#include "platform/display/screen.h"
#include "platform/gdi32/bitmap_factory.h"
#include "platform/gdi32/gdi_objects.h"
#include "platform/kernel32/host_path.h"

using namespace brannock::platform;

HANDLE WINAPI LoadImageA(HINSTANCE, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    // Without LR_LOADFROMFILE the name is a resource, and programs here have none.
    if (!name || type != IMAGE_BITMAP || !(fuLoad & LR_LOADFROMFILE) || cx < 0 || cy < 0) {
        return nullptr;
    }
    const auto decoded = brannock::bmp::DecodeFile(ToHostPath(name));
    if (!decoded) return nullptr;
    const brannock::bmp::Image& image = *decoded.image;

    const bool dibSection = (fuLoad & LR_CREATEDIBSECTION) != 0;
    const display::PixelFormat format =
        dibSection ? display::PixelFormat::kRgb888 : display::CurrentMode().format;
    const int width = cx ? cx : image.width;
    const int height = cy ? cy : image.height;
    std::shared_ptr<display::PixelBuffer> pixels;
    HBITMAP handle = gdi::AddNewBitmap(width, height, format, dibSection, dibSection, &pixels);
    if (!handle) return nullptr;

    display::BlitJob job;
    job.source = {reinterpret_cast<std::uint8_t*>(const_cast<std::uint32_t*>(image.pixels.data())),
                  static_cast<std::ptrdiff_t>(image.width) * 4, image.width, image.height,
                  display::PixelFormat::kXrgb8888};
    job.sourceRect = display::Bounds(job.source);
    job.target = pixels->View();
    job.targetRect = job.clip = display::Bounds(job.target);
    std::shared_ptr<display::PixelBuffer> stretched;
    if (format != display::PixelFormat::kXrgb8888 &&
        (width != image.width || height != image.height)) {
        // Stretching needs one format: stretch in the decoder's, then convert.
        stretched = display::PixelBuffer::Create(width, height, display::PixelFormat::kXrgb8888);
        if (!stretched) {
            DeleteObject(handle);
            return nullptr;
        }
        display::BlitJob first = job;
        first.target = stretched->View();
        display::Blit(first);
        job.source = stretched->View();
        job.sourceRect = display::Bounds(job.source);
    }
    display::Blit(job);
    return handle;
}
