// DirectDraw 7: the DirectDraw object, surfaces and clippers as abstract
// classes with DirectDraw's method order and signatures.
//
// Surfaces take the display's pixel format: X8R8G8B8 in windowed mode (the
// desktop), R5G6B5, 24-bit R8G8B8 or X8R8G8B8 in full screen. What reaches
// the primary surface reaches the screen; blits to a primary with a clipper
// are clipped to the clipper window's client area. Blits run at once, so
// DDERR_WASSTILLDRAWING is never returned. Methods the framework has no use
// for return DDERR_UNSUPPORTED.
//
// Structures carrying dwSize (DDSURFACEDESC2, DDBLTFX) must set it to the
// structure's sizeof, as DirectDraw checks.
#pragma once

#include "platform/windef.h"

struct IDirectDraw;
struct IDirectDraw7;
struct IDirectDrawSurface;
struct IDirectDrawSurface7;
struct IDirectDrawClipper;
struct IDirectDrawPalette;
struct DDCAPS_DX7;
struct DDDEVICEIDENTIFIER2;
struct DDBLTBATCH;
struct DDOVERLAYFX;
struct PALETTEENTRY;
struct RGNDATA;

using LPDIRECTDRAW = IDirectDraw*;
using LPDIRECTDRAW7 = IDirectDraw7*;
using LPDIRECTDRAWSURFACE = IDirectDrawSurface*;
using LPDIRECTDRAWSURFACE7 = IDirectDrawSurface7*;
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;
using LPDIRECTDRAWPALETTE = IDirectDrawPalette*;
using LPDDCAPS = DDCAPS_DX7*;
using LPDDDEVICEIDENTIFIER2 = DDDEVICEIDENTIFIER2*;
using LPDDBLTBATCH = DDBLTBATCH*;
using LPDDOVERLAYFX = DDOVERLAYFX*;
using LPPALETTEENTRY = PALETTEENTRY*;
using LPRGNDATA = RGNDATA*;

// --- Results -------------------------------------------------------------

#define MAKE_DDHRESULT(code) (static_cast<HRESULT>(0x88760000u | static_cast<DWORD>(code)))

#define DD_OK S_OK
#define DD_FALSE S_FALSE
#define DDERR_ALREADYINITIALIZED MAKE_DDHRESULT(5)
#define DDERR_GENERIC E_FAIL
#define DDERR_INVALIDCAPS MAKE_DDHRESULT(100)
#define DDERR_INVALIDMODE MAKE_DDHRESULT(120)
#define DDERR_INVALIDOBJECT MAKE_DDHRESULT(130)
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_INVALIDPIXELFORMAT MAKE_DDHRESULT(145)
#define DDERR_INVALIDRECT MAKE_DDHRESULT(150)
#define DDERR_LOCKEDSURFACES MAKE_DDHRESULT(160)
#define DDERR_NOCLIPLIST MAKE_DDHRESULT(205)
#define DDERR_NOCOOPERATIVELEVELSET MAKE_DDHRESULT(212)
#define DDERR_NOCOLORKEY MAKE_DDHRESULT(215)
#define DDERR_NOEXCLUSIVEMODE MAKE_DDHRESULT(225)
#define DDERR_NOTFOUND MAKE_DDHRESULT(255)
#define DDERR_OUTOFMEMORY E_OUTOFMEMORY
#define DDERR_SURFACEBUSY MAKE_DDHRESULT(430)
#define DDERR_SURFACELOST MAKE_DDHRESULT(450)
#define DDERR_TOOBIGSIZE MAKE_DDHRESULT(480)
#define DDERR_UNSUPPORTED (static_cast<HRESULT>(0x80004001u))  // E_NOTIMPL
#define DDERR_WASSTILLDRAWING MAKE_DDHRESULT(540)
#define DDERR_PRIMARYSURFACEALREADYEXISTS MAKE_DDHRESULT(564)
#define DDERR_NOCLIPPERATTACHED MAKE_DDHRESULT(568)
#define DDERR_NOHWND MAKE_DDHRESULT(569)
#define DDERR_HWNDALREADYSET MAKE_DDHRESULT(571)
#define DDERR_BLTFASTCANTCLIP MAKE_DDHRESULT(574)
#define DDERR_EXCLUSIVEMODEALREADYSET MAKE_DDHRESULT(581)
#define DDERR_NOTFLIPPABLE MAKE_DDHRESULT(582)
#define DDERR_NOTLOCKED MAKE_DDHRESULT(584)
#define DDERR_CANTCREATEDC MAKE_DDHRESULT(585)
#define DDERR_NODC MAKE_DDHRESULT(586)
#define DDERR_WRONGMODE MAKE_DDHRESULT(587)
#define DDERR_IMPLICITLYCREATED MAKE_DDHRESULT(588)
#define DDERR_INVALIDSURFACETYPE MAKE_DDHRESULT(592)
#define DDERR_DCALREADYCREATED MAKE_DDHRESULT(620)

// --- Structures ------------------------------------------------------------

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;   // inclusive
    DWORD dwColorSpaceHighValue;  // inclusive
};
using LPDDCOLORKEY = DDCOLORKEY*;

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    union {
        DWORD dwCaps4;
        DWORD dwVolumeDepth;
    };
};
using LPDDSCAPS2 = DDSCAPS2*;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwYUVBitCount;
        DWORD dwZBufferBitDepth;
        DWORD dwAlphaBitDepth;
        DWORD dwLuminanceBitCount;
        DWORD dwBumpBitCount;
        DWORD dwPrivateFormatBitCount;
    };
    union {
        DWORD dwRBitMask;
        DWORD dwYBitMask;
        DWORD dwStencilBitDepth;
        DWORD dwLuminanceBitMask;
        DWORD dwBumpDuBitMask;
        DWORD dwOperations;
    };
    union {
        DWORD dwGBitMask;
        DWORD dwUBitMask;
        DWORD dwZBitMask;
        DWORD dwBumpDvBitMask;
        struct {
            WORD wFlipMSTypes;
            WORD wBltMSTypes;
        } MultiSampleCaps;
    };
    union {
        DWORD dwBBitMask;
        DWORD dwVBitMask;
        DWORD dwStencilBitMask;
        DWORD dwBumpLuminanceBitMask;
    };
    union {
        DWORD dwRGBAlphaBitMask;
        DWORD dwYUVAlphaBitMask;
        DWORD dwLuminanceAlphaBitMask;
        DWORD dwRGBZBitMask;
        DWORD dwYUVZBitMask;
    };
};
using LPDDPIXELFORMAT = DDPIXELFORMAT*;

struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    union {
        DWORD dwBackBufferCount;
        DWORD dwDepth;
    };
    union {
        DWORD dwMipMapCount;
        DWORD dwRefreshRate;
        DWORD dwSrcVBHandle;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    union {
        DDCOLORKEY ddckCKDestOverlay;
        DWORD dwEmptyFaceColor;
    };
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    union {
        DDPIXELFORMAT ddpfPixelFormat;
        DWORD dwFVF;
    };
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
};
using LPDDSURFACEDESC2 = DDSURFACEDESC2*;

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    union {
        DWORD dwZDestConst;
        LPDIRECTDRAWSURFACE lpDDSZBufferDest;
    };
    DWORD dwZSrcConstBitDepth;
    union {
        DWORD dwZSrcConst;
        LPDIRECTDRAWSURFACE lpDDSZBufferSrc;
    };
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    union {
        DWORD dwAlphaDestConst;
        LPDIRECTDRAWSURFACE lpDDSAlphaDest;
    };
    DWORD dwAlphaSrcConstBitDepth;
    union {
        DWORD dwAlphaSrcConst;
        LPDIRECTDRAWSURFACE lpDDSAlphaSrc;
    };
    union {
        DWORD dwFillColor;  // a pixel value in the surface's format
        DWORD dwFillDepth;
        DWORD dwFillPixel;
        LPDIRECTDRAWSURFACE lpDDSPattern;
    };
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};
using LPDDBLTFX = DDBLTFX*;

using LPDDENUMMODESCALLBACK2 = HRESULT(WINAPI*)(LPDDSURFACEDESC2, LPVOID);
using LPDDENUMSURFACESCALLBACK7 = HRESULT(WINAPI*)(LPDIRECTDRAWSURFACE7, LPDDSURFACEDESC2, LPVOID);

// --- Flags -------------------------------------------------------------------

// IDirectDraw7::SetCooperativeLevel.
#define DDSCL_FULLSCREEN 0x00000001
#define DDSCL_ALLOWREBOOT 0x00000002
#define DDSCL_NOWINDOWCHANGES 0x00000004
#define DDSCL_NORMAL 0x00000008
#define DDSCL_EXCLUSIVE 0x00000010
#define DDSCL_ALLOWMODEX 0x00000040
#define DDSCL_MULTITHREADED 0x00000400

// DDSURFACEDESC2::dwFlags.
#define DDSD_CAPS 0x00000001
#define DDSD_HEIGHT 0x00000002
#define DDSD_WIDTH 0x00000004
#define DDSD_PITCH 0x00000008
#define DDSD_BACKBUFFERCOUNT 0x00000020
#define DDSD_LPSURFACE 0x00000800
#define DDSD_PIXELFORMAT 0x00001000
#define DDSD_CKDESTBLT 0x00004000
#define DDSD_CKSRCBLT 0x00010000
#define DDSD_REFRESHRATE 0x00040000

// DDSCAPS2::dwCaps.
#define DDSCAPS_BACKBUFFER 0x00000004
#define DDSCAPS_COMPLEX 0x00000008
#define DDSCAPS_FLIP 0x00000010
#define DDSCAPS_FRONTBUFFER 0x00000020
#define DDSCAPS_OFFSCREENPLAIN 0x00000040
#define DDSCAPS_PRIMARYSURFACE 0x00000200
#define DDSCAPS_SYSTEMMEMORY 0x00000800
#define DDSCAPS_VIDEOMEMORY 0x00004000
#define DDSCAPS_VISIBLE 0x00008000
#define DDSCAPS_LOCALVIDMEM 0x10000000

// DDPIXELFORMAT::dwFlags.
#define DDPF_ALPHAPIXELS 0x00000001
#define DDPF_PALETTEINDEXED8 0x00000020
#define DDPF_RGB 0x00000040

// IDirectDrawSurface7::Blt.
#define DDBLT_ASYNC 0x00000200
#define DDBLT_COLORFILL 0x00000400
#define DDBLT_DDFX 0x00000800
#define DDBLT_KEYDEST 0x00002000
#define DDBLT_KEYSRC 0x00008000
#define DDBLT_KEYSRCOVERRIDE 0x00010000
#define DDBLT_ROP 0x00020000
#define DDBLT_WAIT 0x01000000
#define DDBLT_DONOTWAIT 0x08000000

// DDBLTFX::dwDDFX.
#define DDBLTFX_ARITHSTRETCHY 0x00000001
#define DDBLTFX_MIRRORLEFTRIGHT 0x00000002
#define DDBLTFX_MIRRORUPDOWN 0x00000004
#define DDBLTFX_NOTEARING 0x00000008

// IDirectDrawSurface7::BltFast.
#define DDBLTFAST_NOCOLORKEY 0x00000000
#define DDBLTFAST_SRCCOLORKEY 0x00000001
#define DDBLTFAST_DESTCOLORKEY 0x00000002
#define DDBLTFAST_WAIT 0x00000010
#define DDBLTFAST_DONOTWAIT 0x00000020

// IDirectDrawSurface7::Flip.
#define DDFLIP_WAIT 0x00000001
#define DDFLIP_NOVSYNC 0x00000008
#define DDFLIP_DONOTWAIT 0x00000020

// IDirectDrawSurface7::Lock.
#define DDLOCK_SURFACEMEMORYPTR 0x00000000L
#define DDLOCK_WAIT 0x00000001L
#define DDLOCK_READONLY 0x00000010L
#define DDLOCK_WRITEONLY 0x00000020L
#define DDLOCK_NOSYSLOCK 0x00000800L
#define DDLOCK_DONOTWAIT 0x00004000L

// IDirectDrawSurface7::SetColorKey / GetColorKey.
#define DDCKEY_COLORSPACE 0x00000001
#define DDCKEY_DESTBLT 0x00000002
#define DDCKEY_DESTOVERLAY 0x00000004
#define DDCKEY_SRCBLT 0x00000008
#define DDCKEY_SRCOVERLAY 0x00000010

// --- Interfaces ----------------------------------------------------------------

struct IDirectDrawClipper : public IUnknown {
    virtual HRESULT GetClipList(LPRECT lpRect, LPRGNDATA lpClipList, LPDWORD lpdwSize) = 0;
    virtual HRESULT GetHWnd(HWND* lphWnd) = 0;
    virtual HRESULT Initialize(LPDIRECTDRAW lpDD, DWORD dwFlags) = 0;
    virtual HRESULT IsClipListChanged(BOOL* lpbChanged) = 0;
    virtual HRESULT SetClipList(LPRGNDATA lpClipList, DWORD dwFlags) = 0;
    virtual HRESULT SetHWnd(DWORD dwFlags, HWND hWnd) = 0;

  protected:
    ~IDirectDrawClipper() = default;
};

struct IDirectDraw7 : public IUnknown {
    virtual HRESULT Compact() = 0;
    virtual HRESULT CreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpDDClipper,
                                  IUnknown* pUnkOuter) = 0;
    virtual HRESULT CreatePalette(DWORD dwFlags, LPPALETTEENTRY lpColorTable,
                                  LPDIRECTDRAWPALETTE* lplpDDPalette, IUnknown* pUnkOuter) = 0;
    virtual HRESULT CreateSurface(LPDDSURFACEDESC2 lpDDSurfaceDesc,
                                  LPDIRECTDRAWSURFACE7* lplpDDSurface, IUnknown* pUnkOuter) = 0;
    virtual HRESULT DuplicateSurface(LPDIRECTDRAWSURFACE7 lpDDSurface,
                                     LPDIRECTDRAWSURFACE7* lplpDupDDSurface) = 0;
    virtual HRESULT EnumDisplayModes(DWORD dwFlags, LPDDSURFACEDESC2 lpDDSurfaceDesc,
                                     LPVOID lpContext,
                                     LPDDENUMMODESCALLBACK2 lpEnumModesCallback) = 0;
    virtual HRESULT EnumSurfaces(DWORD dwFlags, LPDDSURFACEDESC2 lpDDSD, LPVOID lpContext,
                                 LPDDENUMSURFACESCALLBACK7 lpEnumSurfacesCallback) = 0;
    virtual HRESULT FlipToGDISurface() = 0;
    virtual HRESULT GetCaps(LPDDCAPS lpDDDriverCaps, LPDDCAPS lpDDHELCaps) = 0;
    virtual HRESULT GetDisplayMode(LPDDSURFACEDESC2 lpDDSurfaceDesc) = 0;
    virtual HRESULT GetFourCCCodes(LPDWORD lpNumCodes, LPDWORD lpCodes) = 0;
    virtual HRESULT GetGDISurface(LPDIRECTDRAWSURFACE7* lplpGDIDDSurface) = 0;
    virtual HRESULT GetMonitorFrequency(LPDWORD lpdwFrequency) = 0;
    virtual HRESULT GetScanLine(LPDWORD lpdwScanLine) = 0;
    virtual HRESULT GetVerticalBlankStatus(BOOL* lpbIsInVB) = 0;
    virtual HRESULT Initialize(GUID* lpGUID) = 0;
    virtual HRESULT RestoreDisplayMode() = 0;
    virtual HRESULT SetCooperativeLevel(HWND hWnd, DWORD dwFlags) = 0;
    virtual HRESULT SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate,
                                   DWORD dwFlags) = 0;
    virtual HRESULT WaitForVerticalBlank(DWORD dwFlags, HANDLE hEvent) = 0;
    virtual HRESULT GetAvailableVidMem(LPDDSCAPS2 lpDDCaps, LPDWORD lpdwTotal,
                                       LPDWORD lpdwFree) = 0;
    virtual HRESULT GetSurfaceFromDC(HDC hdc, LPDIRECTDRAWSURFACE7* pSurf) = 0;
    virtual HRESULT RestoreAllSurfaces() = 0;
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT GetDeviceIdentifier(LPDDDEVICEIDENTIFIER2 pDDDI, DWORD dwFlags) = 0;
    virtual HRESULT StartModeTest(SIZE* pModes, DWORD dwNumModes, DWORD dwFlags) = 0;
    virtual HRESULT EvaluateMode(DWORD dwFlags, DWORD* pTimeout) = 0;

  protected:
    ~IDirectDraw7() = default;
};

struct IDirectDrawSurface7 : public IUnknown {
    virtual HRESULT AddAttachedSurface(LPDIRECTDRAWSURFACE7 lpDDSAttachedSurface) = 0;
    virtual HRESULT AddOverlayDirtyRect(LPRECT lpRect) = 0;
    virtual HRESULT Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE7 lpDDSrcSurface, LPRECT lpSrcRect,
                        DWORD dwFlags, LPDDBLTFX lpDDBltFx) = 0;
    virtual HRESULT BltBatch(LPDDBLTBATCH lpDDBltBatch, DWORD dwCount, DWORD dwFlags) = 0;
    virtual HRESULT BltFast(DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE7 lpDDSrcSurface,
                            LPRECT lpSrcRect, DWORD dwTrans) = 0;
    virtual HRESULT DeleteAttachedSurface(DWORD dwFlags,
                                          LPDIRECTDRAWSURFACE7 lpDDSAttachedSurface) = 0;
    virtual HRESULT EnumAttachedSurfaces(LPVOID lpContext,
                                         LPDDENUMSURFACESCALLBACK7 lpEnumSurfacesCallback) = 0;
    virtual HRESULT EnumOverlayZOrders(DWORD dwFlags, LPVOID lpContext,
                                       LPDDENUMSURFACESCALLBACK7 lpfnCallback) = 0;
    virtual HRESULT Flip(LPDIRECTDRAWSURFACE7 lpDDSurfaceTargetOverride, DWORD dwFlags) = 0;
    virtual HRESULT GetAttachedSurface(LPDDSCAPS2 lpDDSCaps,
                                       LPDIRECTDRAWSURFACE7* lplpDDAttachedSurface) = 0;
    virtual HRESULT GetBltStatus(DWORD dwFlags) = 0;
    virtual HRESULT GetCaps(LPDDSCAPS2 lpDDSCaps) = 0;
    virtual HRESULT GetClipper(LPDIRECTDRAWCLIPPER* lplpDDClipper) = 0;
    virtual HRESULT GetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) = 0;
    virtual HRESULT GetDC(HDC* lphDC) = 0;
    virtual HRESULT GetFlipStatus(DWORD dwFlags) = 0;
    virtual HRESULT GetOverlayPosition(LPLONG lplX, LPLONG lplY) = 0;
    virtual HRESULT GetPalette(LPDIRECTDRAWPALETTE* lplpDDPalette) = 0;
    virtual HRESULT GetPixelFormat(LPDDPIXELFORMAT lpDDPixelFormat) = 0;
    virtual HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 lpDDSurfaceDesc) = 0;
    virtual HRESULT Initialize(LPDIRECTDRAW lpDD, LPDDSURFACEDESC2 lpDDSurfaceDesc) = 0;
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Lock(LPRECT lpDestRect, LPDDSURFACEDESC2 lpDDSurfaceDesc, DWORD dwFlags,
                         HANDLE hEvent) = 0;
    virtual HRESULT ReleaseDC(HDC hDC) = 0;
    virtual HRESULT Restore() = 0;
    virtual HRESULT SetClipper(LPDIRECTDRAWCLIPPER lpDDClipper) = 0;
    virtual HRESULT SetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) = 0;
    virtual HRESULT SetOverlayPosition(LONG lX, LONG lY) = 0;
    virtual HRESULT SetPalette(LPDIRECTDRAWPALETTE lpDDPalette) = 0;
    virtual HRESULT Unlock(LPRECT lpSurfaceData) = 0;
    virtual HRESULT UpdateOverlay(LPRECT lpSrcRect, LPDIRECTDRAWSURFACE7 lpDDDestSurface,
                                  LPRECT lpDestRect, DWORD dwFlags,
                                  LPDDOVERLAYFX lpDDOverlayFx) = 0;
    virtual HRESULT UpdateOverlayDisplay(DWORD dwFlags) = 0;
    virtual HRESULT UpdateOverlayZOrder(DWORD dwFlags, LPDIRECTDRAWSURFACE7 lpDDSReference) = 0;
    virtual HRESULT GetDDInterface(LPVOID* lplpDD) = 0;
    virtual HRESULT PageLock(DWORD dwFlags) = 0;
    virtual HRESULT PageUnlock(DWORD dwFlags) = 0;
    virtual HRESULT SetSurfaceDesc(LPDDSURFACEDESC2 lpDDSD, DWORD dwFlags) = 0;
    virtual HRESULT SetPrivateData(REFGUID tag, LPVOID pData, DWORD cbSize, DWORD dwFlags) = 0;
    virtual HRESULT GetPrivateData(REFGUID tag, LPVOID pBuffer, LPDWORD pcbBufferSize) = 0;
    virtual HRESULT FreePrivateData(REFGUID tag) = 0;
    virtual HRESULT GetUniquenessValue(LPDWORD pValue) = 0;
    virtual HRESULT ChangeUniquenessValue() = 0;
    virtual HRESULT SetPriority(DWORD prio) = 0;
    virtual HRESULT GetPriority(LPDWORD prio) = 0;
    virtual HRESULT SetLOD(DWORD lod) = 0;
    virtual HRESULT GetLOD(LPDWORD lod) = 0;

  protected:
    ~IDirectDrawSurface7() = default;
};

extern const IID IID_IDirectDraw7;

// Creates the DirectDraw object; `iid` must be IID_IDirectDraw7 and `guid`
// null (the display driver).
HRESULT WINAPI DirectDrawCreateEx(GUID* lpGuid, LPVOID* lplpDD, REFIID iid, IUnknown* pUnkOuter);
