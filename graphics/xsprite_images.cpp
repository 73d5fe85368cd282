// XSprite images: bitmap files loaded into surfaces of their own, kept in a
// list addressed by position, the background picture, and the bitmap copies
// that carry images across a re-creation of the surfaces.
#include "graphics/dc_scope.h"
#include "graphics/xsprite.h"

namespace {

HBITMAP LoadBitmapFromFile(const char* path) {
    return static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

constexpr COLORREF kNoColorKey = static_cast<COLORREF>(-1);

}  // namespace

int XSprite::LoadBitmapFile(const char* path, COLORREF colorKey, RECT* size) {
    if (!path || !*path) return kNoImage;
    HBITMAP bitmap = LoadBitmapFromFile(path);
    if (!bitmap) return kNoImage;
    if (size) {
        const SIZE bitmapSize = BitmapSize(bitmap);
        size->right = bitmapSize.cx;
        size->bottom = bitmapSize.cy;
    }
    const int handle = AddImage(bitmap, colorKey);
    DeleteObject(bitmap);
    return handle;
}

int XSprite::AddImage(HBITMAP bitmap, COLORREF colorKey) {
    // Images live in surfaces of the display: none before it is open.
    if (!IsWindow(window) || !bitmap || !directDraw) return kNoImage;
    const SIZE size = BitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0) return kNoImage;
    const int width = size.cx;
    const int height = size.cy;

    IDirectDrawSurface7* surface = nullptr;
    if (FAILED(CreatePlainSurface(width, height, &surface))) {
        return ErrorBox(window, kNoImage, "Sprite-CreateSurface FAILED(FULL)");
    }
    if (colorKey != kNoColorKey) SetSurfaceColorKey(surface, colorKey);

    HBITMAP backup = CreateBackingBitmap(width, height, 24);
    CopyBitmap(backup, bitmap);

    if (SurfaceDC target(surface); target) {
        MemoryDC source(bitmap);
        BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    }

    images.push_back(ImageRecord{backup, surface, colorKey, width, height});
    return static_cast<int>(images.size()) - 1;
}

void XSprite::ReleaseImages() {
    for (ImageRecord& image : images) {
        if (image.backup) DeleteObject(image.backup);
        if (image.surface) image.surface->Release();
    }
    images.clear();
}

void XSprite::SaveImages() {
    // Copies from an earlier save that was never reloaded are stale.
    for (ImageRecord& saved : savedImages)
        DeleteObject(saved.backup);
    savedImages.clear();

    savedImages.reserve(images.size());
    for (const ImageRecord& image : images) {
        HBITMAP copy = CreateBackingBitmap(image.width, image.height, 24);
        CopyBitmap(copy, image.backup);
        savedImages.push_back(
            ImageRecord{copy, nullptr, image.colorKey, image.width, image.height});
    }
}

void XSprite::ReloadImages() {
    // The image list was emptied by the release, so image i gets handle i.
    for (const ImageRecord& saved : savedImages)
        AddImage(saved.backup, saved.colorKey);
    for (ImageRecord& saved : savedImages)
        DeleteObject(saved.backup);
    savedImages.clear();
}

void XSprite::LoadBackground(const char* path) {
    if (!IsWindow(window) || !path) return;
    HBITMAP bitmap = LoadBitmapFromFile(path);
    if (!bitmap) return;

    // The loaded bitmap becomes the background's backing bitmap, so a
    // re-creation of the surfaces restores it.
    if (bgImageBitmap) DeleteObject(bgImageBitmap);
    bgImageBitmap = bitmap;

    if (SurfaceDC target(bgImage); target) {
        const SIZE size = BitmapSize(bitmap);
        MemoryDC source(bitmap);
        BitBlt(target.get(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
    }
}

void XSprite::CopyBitmap(HBITMAP target, HBITMAP source) {
    BlitBitmap(target, 0, 0, -1, -1, source, 0, 0);
}

void XSprite::BlitBitmap(HBITMAP target, int x, int y, int w, int h, HBITMAP source, int srcX,
                         int srcY) {
    if (!source || !target) return;
    const SIZE size = BitmapSize(source);
    if (w == -1) w = size.cx;
    if (h == -1) h = size.cy;
    MemoryDC targetDC(target);
    MemoryDC sourceDC(source);
    BitBlt(targetDC.get(), x, y, w, h, sourceDC.get(), srcX, srcY, SRCCOPY);
}

void XSprite::FillWithColorKey(int selector) {
    if (selector >= pageCount || !IsWindow(window)) return;
    IDirectDrawSurface7* surface = SelectSurface(selector);
    if (!surface) return;
    DWORD value = selector >= 0 ? pageKeys[selector] : 0;
    if (pixelBits == 16) value = ToHighColor(value, colorBits);
    ColorFill(surface, value);
}

WORD XSprite::ToHighColor(COLORREF colour, int colorBits) {
    const DWORD r = (colour >> 3) & 0x1F;
    const DWORD b = (colour >> 19) & 0x1F;
    if (colorBits == 15) {
        const DWORD g = (colour >> 11) & 0x1F;
        return static_cast<WORD>(r | g << 5 | b << 10);
    }
    const DWORD g = (colour >> 10) & 0x3F;
    return static_cast<WORD>(r | g << 5 | b << 11);
}
