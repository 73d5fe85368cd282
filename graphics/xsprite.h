// XSprite: the DirectDraw 7 display of the game's window. It owns the
// DirectDraw object, the fixed surfaces (primary, back buffer, background
// layers, pages), the GDI bitmaps that keep their contents across a
// re-creation, and the images loaded from bitmap files. A game derives its
// application class from it and draws through it every frame.
//
// Almost all of the display state is class-wide (one display per program);
// the flags the window thread and the game thread share are atomics.
//
// The implementation is split by concern:
//   xsprite_device.cpp   construction, DirectDraw and surface set-up, release,
//                        colour keys, pixel format
//   xsprite_images.cpp   image surfaces, bitmap files, bitmap copies
//   xsprite_draw.cpp     background layers, image drawing
//   xsprite_present.cpp  presentation of the back buffer
//   xsprite_mode.cpp     switching between windowed and full-screen display
//   xsprite_fps.cpp      the frame-rate readout
#pragma once

#include <atomic>
#include <vector>

#include "platform/win32.h"

// One loaded image: its own surface and a 24-bit copy of its pixels that
// survives a re-creation of the surfaces. Both are owned by the record.
struct ImageRecord {
    HBITMAP backup = nullptr;
    IDirectDrawSurface7* surface = nullptr;
    COLORREF colorKey = static_cast<COLORREF>(-1);  // -1: drawn without a key
    int width = 0;
    int height = 0;
};

class XSprite {
  public:
    static constexpr int kMaxPages = 128;
    // The transparent colour of every sprite image and page: RGB(255, 0, 255).
    static constexpr COLORREF kTransparent = 0xFF00FF;
    // No image: DrawImage draws nothing for it.
    static constexpr int kNoImage = -1;

    // Surface selectors naming the fixed surfaces (pages are 0 and up).
    static constexpr int kSelectBgImage = -1;
    static constexpr int kSelectBgScreen = -2;
    static constexpr int kSelectBack = -3;
    static constexpr int kSelectDrawTarget = -10;  // back, or bgScreen with auto-redraw

    // Nothing attached: the destructor releases nothing until a window is
    // attached.
    XSprite();
    // Attaches `window` and opens a 640x480, 16-bit display at once.
    explicit XSprite(HWND window);
    ~XSprite();
    XSprite(const XSprite&) = delete;
    XSprite& operator=(const XSprite&) = delete;

    // --- The four virtual operations, in this order. ---

    // Hook for a derived class to draw the frame into `target` (the back
    // buffer) on Redraw; XSprite draws nothing.
    virtual void OnDraw(IDirectDrawSurface7* target);
    // mode 0 copies the rectangle (x, y, w, h) of the composed background
    // into the back buffer; mode -1 clears the whole back buffer to 0; other
    // modes do nothing.
    virtual void RestoreBackground(int x, int y, int w, int h, int mode);
    // Copies the w x h rectangle at (srcX, srcY) of the background image to
    // (x, y) of the composed background, without colour key.
    virtual HRESULT ComposeBackground(int x, int y, int w, int h, int srcX, int srcY);
    // Draws image `image` at (x, y) into the back buffer with its colour key,
    // stretched to w x h when either is not 0, mirrored left-right by flip
    // bit 0 and top-bottom by bit 1, and trimmed at the screen edges.
    virtual HRESULT DrawImage(int x, int y, int image, int w, int h, int flip);

    // --- Device set-up (xsprite_device.cpp). ---

    // Records the window to draw into; only the first call does anything.
    void AttachWindow(HWND window);
    // Opens the display at width x height with `count` pages (at most 128);
    // `bits` is the full-screen depth. Ends the process with a message box
    // when no display can be opened at all.
    void InitDisplay(int width, int height, int bits, int count);
    // 1 on success, 0 or a negative DirectDraw result on failure.
    int CreateDisplay(HWND window, int count);
    // Creates every fixed surface for the current screen mode: 0 on success,
    // the failing call's negative result otherwise.
    int CreateSurfaces(HWND window, int count);
    // Releases the surfaces and images (not the backing bitmaps, not the
    // DirectDraw object) and returns the display to the desktop. Always 0.
    int ReleaseAllObjects(HWND window);
    void ReleaseDirectDraw();
    // Releases the surfaces, shows `format` (printf rules) in a message box
    // and destroys the window. Returns `code`.
    int ErrorBox(HWND window, int code, const char* format, ...);
    // A black, top-down DIB section; its pixel memory goes to `pixels` when
    // given.
    HBITMAP CreateBackingBitmap(int width, int height, int bits, void** pixels = nullptr);
    // The surface's own pixel value for a GDI colour; -1 reads the current
    // first pixel without writing one.
    DWORD ColorMatch(IDirectDrawSurface7* surface, COLORREF colour);
    void SetSurfaceColorKey(IDirectDrawSurface7* surface, COLORREF colour);
    void CopyBitmapToSurface(HBITMAP bitmap, int selector);
    void CopySurfaceToBitmap(HBITMAP bitmap, int selector);
    // Sets and returns the pixel depth in effect, and the colour bit count.
    int DetectPixelFormat();
    // Number of 1 bits in the back buffer's colour masks; 0 before the
    // surfaces exist, -1 when the back buffer cannot be read.
    int CountColorBits(DWORD* red, DWORD* green, DWORD* blue);
    // The fixed surface a selector names (null before the surfaces exist).
    IDirectDrawSurface7* SelectSurface(int selector) const;

    HWND GetWindow() const { return window; }
    void SetActive(int on) { active = on; }
    int IsActive() const { return active; }
    void SetDrawEnabled(int on) { drawEnabled = on; }
    int IsDrawEnabled() const { return drawEnabled; }
    void SetAutoRedraw(int on) { autoRedraw = on; }
    void SetShowFps(int on) { showFps = on; }
    // Pixel memory of a page's backing bitmap; null for pages never made.
    void* GetPageBits(int page) const;

    int IsWindowed() const { return windowed; }
    int GetScreenWidth() const { return screenWidth; }
    int GetScreenHeight() const { return screenHeight; }
    int GetDisplayBits() const { return displayBits; }
    int GetPageCount() const { return pageCount; }
    int GetPixelBits() const { return pixelBits; }
    int GetColorBits() const { return colorBits; }
    int GetImageCount() const { return static_cast<int>(images.size()); }

    // --- Images (xsprite_images.cpp). ---

    // Loads a bitmap file as a new image: its handle, or -1. `size`, when
    // given, receives the image's width in `right` and height in `bottom`.
    int LoadBitmapFile(const char* path, COLORREF colorKey, RECT* size);
    // A new image from a copy of `bitmap` (which the caller keeps): its
    // handle, or -1.
    int AddImage(HBITMAP bitmap, COLORREF colorKey);
    void ReleaseImages();
    // Keep copies of all images, and rebuild the image list from them with
    // the same handles, around a re-creation of the surfaces.
    void SaveImages();
    void ReloadImages();
    // Loads a bitmap file into the background image surface.
    void LoadBackground(const char* path);
    void CopyBitmap(HBITMAP target, HBITMAP source);
    // w or h of -1 take the source's width or height.
    void BlitBitmap(HBITMAP target, int x, int y, int w, int h, HBITMAP source, int srcX, int srcY);
    void FillWithColorKey(int selector);
    // A COLORREF as a 16-bit pixel (5-5-5 for 15 colour bits, else 5-6-5).
    static WORD ToHighColor(COLORREF colour, int colorBits);

    // --- Drawing and presentation (xsprite_draw.cpp, xsprite_present.cpp). ---

    // Restores the whole background and calls OnDraw. Returns 1.
    int Redraw();
    // Shows the frame: carries out a pending screen-mode change, counts the
    // frame, then blits the back buffer to the window or flips. Throws the
    // int 0 when the window no longer exists.
    void Present();
    void UpdateRects();
    // Shows the back buffer again in windowed mode without counting a frame.
    void Repaint();

    // --- Screen-mode switching (xsprite_mode.cpp). ---

    // Requests, made on the window thread; the next Present carries them out.
    int ToggleScreenMode();
    void GoFullScreen();
    void GoWindowed();
    int KeepStyle();
    int RestoreStyle();
    // The re-creation for the new mode; called by Present.
    int ChangeMode(HWND window);
    // Pins the window's tracking size to the windowed size.
    MINMAXINFO* FillTrackSize(MINMAXINFO* info);
    int IsModeChangePending() const { return modeChangePending; }

    // --- Frame-rate readout (xsprite_fps.cpp). ---

    void UpdateFrameRate();
    // Counts one call; returns the number of calls in the last period of a
    // little over a second.
    int GetFrameRate();

  protected:
    // Class-wide display state: one copy for the program.
    static inline std::atomic<int> active{1};
    static inline std::atomic<int> windowed{1};
    static inline int screenWidth = 640;
    static inline int screenHeight = 480;
    static inline int displayBits = 16;
    static inline int pageCount = 4;
    static inline HWND window = nullptr;
    static inline RECT windowRect{};
    static inline RECT sourceRect{};
    static inline RECT destRect{};
    static inline IDirectDraw7* directDraw = nullptr;
    static inline IDirectDrawSurface7* primary = nullptr;
    static inline IDirectDrawSurface7* back = nullptr;
    static inline IDirectDrawSurface7* bgImage = nullptr;
    static inline IDirectDrawSurface7* bgScreen = nullptr;
    static inline IDirectDrawSurface7* pages[kMaxPages]{};
    static inline HBITMAP bgImageBitmap = nullptr;
    static inline HBITMAP bgScreenBitmap = nullptr;
    static inline HBITMAP pageBitmaps[kMaxPages]{};
    static inline void* pageBits[kMaxPages]{};
    static inline COLORREF pageKeys[kMaxPages]{};
    static inline int created = 0;
    static inline std::atomic<int> drawEnabled{0};
    static inline std::atomic<int> modeChangePending{0};
    static inline int lastWidth = 0;
    static inline int lastHeight = 0;
    static inline int lastPageCount = 0;
    static inline LONG savedStyle = static_cast<LONG>(WS_POPUP);
    static inline HMENU savedMenu = nullptr;
    static inline DDBLTFX mirrorFx{};
    // Where a switch request found the window; ChangeMode takes it over into
    // windowRect on the drawing thread, which otherwise owns windowRect.
    static inline RECT requestedWindowRect{};

    // Frame-rate counter (tick counts in milliseconds).
    static inline int fpsNow = 0;
    static inline int fpsLastTick = 0;
    static inline int fpsFrames = 0;
    static inline int fpsValue = 0;

    // Per-object state.
    std::vector<ImageRecord> images;
    std::vector<ImageRecord> savedImages;
    int autoRedraw = 0;
    int colorBits = 0;
    int pixelBits = 0;
    int showFps = 0;
    int detached = 1;

  private:
    // An off-screen plain surface of the display's format.
    HRESULT CreatePlainSurface(int width, int height, IDirectDrawSurface7** surface);
    // Fills a whole surface with one pixel value.
    static HRESULT ColorFill(IDirectDrawSurface7* surface, DWORD value);
    // Sets the full-screen display mode, falling back through other depths.
    HRESULT SetFullScreenMode();
    // The window-thread halves of a switch request.
    void RequestFullScreen();
    void RequestWindowed();
    // Releases whatever fixed surfaces and images exist.
    void ReleaseSurfaces();
    bool HasSurfaces() const;
    // The windowed blit of the back buffer, retried while still drawing;
    // a lost primary surface is restored and the frame dropped.
    void ShowWindowed(bool updateRects);
};
