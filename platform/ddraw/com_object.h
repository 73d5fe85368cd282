// Reference counting shared by the DirectDraw objects: AddRef and Release
// as COM defines them, the object deleting itself at zero.
#pragma once

#include <atomic>

#include "platform/windef.h"

namespace brannock::platform::ddraw {

template <class Derived, class Interface>
class ComObject : public Interface {
  public:
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

  protected:
    ComObject() = default;
    ~ComObject() = default;

  private:
    std::atomic<ULONG> references_{1};
};

}  // namespace brannock::platform::ddraw
