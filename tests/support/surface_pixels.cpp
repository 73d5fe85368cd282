#include "tests/support/surface_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace brannock::test {

namespace {

// A surface locked for reading while the object lives.
class ReadLock {
  public:
    explicit ReadLock(IDirectDrawSurface7* surface) : surface_(surface) {
        std::memset(&desc_, 0, sizeof desc_);
        desc_.dwSize = sizeof desc_;
        locked_ = surface &&
                  surface->Lock(nullptr, &desc_, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) == DD_OK;
        if (!locked_) ADD_FAILURE() << "cannot lock the surface";
    }
    ~ReadLock() {
        if (locked_) surface_->Unlock(nullptr);
    }
    bool Locked() const { return locked_; }
    const DDSURFACEDESC2& Desc() const { return desc_; }
    // The pixel's colour bits: the unused top byte of 32-bit pixels is
    // whatever the driver left there.
    DWORD At(DWORD x, DWORD y) const {
        const DWORD bytes = desc_.ddpfPixelFormat.dwRGBBitCount / 8;
        DWORD value = 0;
        std::memcpy(
            &value,
            static_cast<const std::uint8_t*>(desc_.lpSurface) + y * desc_.lPitch + x * bytes,
            bytes);
        return bytes == 4 ? value & 0xFFFFFF : value;
    }

  private:
    IDirectDrawSurface7* surface_;
    DDSURFACEDESC2 desc_;
    bool locked_;
};

}  // namespace

std::vector<DWORD> ReadPixels(IDirectDrawSurface7* surface) {
    const ReadLock lock(surface);
    std::vector<DWORD> pixels;
    for (DWORD y = 0; lock.Locked() && y < lock.Desc().dwHeight; ++y)
        for (DWORD x = 0; x < lock.Desc().dwWidth; ++x)
            pixels.push_back(lock.At(x, y));
    return pixels;
}

DWORD Pixel(IDirectDrawSurface7* surface, int x, int y) {
    const ReadLock lock(surface);
    return lock.Locked() ? lock.At(static_cast<DWORD>(x), static_cast<DWORD>(y)) : 0xFFFFFFFF;
}

}  // namespace brannock::test
