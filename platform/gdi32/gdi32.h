// GDI: device contexts, bitmaps, brushes, pixels and text, plus the
// device-context and rectangle calls that Windows puts in user32 (GetDC,
// GetWindowDC, ReleaseDC, FillRect, SetRect) and LoadImageA for bitmap files.
//
// Device contexts of this layer:
//  - GetDC(NULL): the whole screen (the desktop, or the full-screen mode).
//  - GetDC(window): the screen at the window's client origin, clipped to the
//    client rectangle.
//  - GetWindowDC(window): the window's overlay, a transparent layer the host
//    composites over the window; its origin is the top-left corner of what
//    the host shows (the menu bar when a menu is attached, else the client
//    area).
//  - CreateCompatibleDC: a memory DC drawing into the bitmap selected into it.
//  - IDirectDrawSurface7::GetDC: the surface's pixels.
// Bitmaps are 16 (5-5-5 or 5-6-5), 24 or 32 bits per pixel. Text uses a
// built-in 8x16 font for printable ASCII.
#pragma once

#include "platform/windef.h"

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};
using PBITMAP = BITMAP*;
using LPBITMAP = BITMAP*;

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
using LPBITMAPINFOHEADER = BITMAPINFOHEADER*;
using PBITMAPINFOHEADER = BITMAPINFOHEADER*;

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

// With BI_BITFIELDS the red, green and blue masks follow the header as
// three DWORDs, in the place of bmiColors.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
using LPBITMAPINFO = BITMAPINFO*;
using PBITMAPINFO = BITMAPINFO*;

// What GetObjectA fills for a DIB section given room for it.
struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3];
    HANDLE dshSection;
    DWORD dsOffset;
};

#define BI_RGB 0L
#define BI_BITFIELDS 3L

#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1

// Raster operations of BitBlt.
#define SRCCOPY static_cast<DWORD>(0x00CC0020)
#define BLACKNESS static_cast<DWORD>(0x00000042)
#define WHITENESS static_cast<DWORD>(0x00FF0062)

// Background modes of text.
#define TRANSPARENT 1
#define OPAQUE 2

#define CLR_INVALID 0xFFFFFFFF
#define GDI_ERROR (static_cast<LONG>(0xFFFFFFFF))
#define HGDI_ERROR (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

// LoadImageA.
#define IMAGE_BITMAP 0
#define LR_DEFAULTCOLOR 0x0000
#define LR_LOADFROMFILE 0x0010
#define LR_DEFAULTSIZE 0x0040
#define LR_CREATEDIBSECTION 0x2000

// Device contexts.
HDC WINAPI GetDC(HWND hWnd);
HDC WINAPI GetWindowDC(HWND hWnd);
int WINAPI ReleaseDC(HWND hWnd, HDC hDC);
HDC WINAPI CreateCompatibleDC(HDC hdc);
BOOL WINAPI DeleteDC(HDC hdc);
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);

// Objects.
BOOL WINAPI DeleteObject(HGDIOBJ ho);
int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv);
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy);
HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* lpbmi, UINT usage, VOID** ppvBits,
                                HANDLE hSection, DWORD offset);
HBRUSH WINAPI CreateSolidBrush(COLORREF color);

// Bitmap files: LR_LOADFROMFILE with IMAGE_BITMAP. Paths may be in Windows
// form (backslashes, "Z:\"). The result is a 24-bit top-down DIB section.
HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad);

// Drawing.
BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
COLORREF WINAPI GetPixel(HDC hdc, int x, int y);
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color);
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);
int WINAPI SetBkMode(HDC hdc, int mode);

// Rectangles.
BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom);
