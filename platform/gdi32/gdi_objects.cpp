#include "platform/gdi32/gdi_objects.h"

#include <cstdint>
#include <mutex>
#include <variant>
#include <vector>

namespace brannock::platform::gdi {

namespace {

using Object = std::variant<std::monostate, std::shared_ptr<Bitmap>, std::shared_ptr<Brush>,
                            std::shared_ptr<DeviceContext>>;

// Handle value: generation in the high bits, slot index + 1 in the low 16;
// never zero. A slot's generation grows with each reuse and never wraps: a
// slot whose generation is used up is retired, so a stale handle can never
// name a later object (the frame-rate readout alone takes and releases a DC
// every frame).
constexpr unsigned kIndexBits = 16;
constexpr std::uint32_t kMaxSlots = (1u << kIndexBits) - 1;
constexpr std::uintptr_t kMaxGeneration = UINTPTR_MAX >> kIndexBits;

struct Slot {
    std::uintptr_t generation = 1;
    Object object;
};

struct Table {
    std::mutex mutex;
    std::vector<Slot> slots;
    std::vector<std::uint32_t> freeSlots;
    HGDIOBJ defaultBitmap = nullptr;
    HGDIOBJ defaultBrush = nullptr;
};

// Never destroyed: a game's static objects (its XSprite) release what they
// hold through it while the program ends, as Win32 lets them.
Table& TheTable() {
    static auto* table = new Table;
    return *table;
}

HGDIOBJ HandleOf(std::uint32_t index, std::uintptr_t generation) {
    const std::uintptr_t value = (generation << kIndexBits) | (index + 1);
    return reinterpret_cast<HGDIOBJ>(value);
}

// The slot a handle names, or null; the caller holds the table lock.
Slot* SlotOf(Table& table, HGDIOBJ handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    const std::uintptr_t low = value & kMaxSlots;
    if (low == 0 || low > table.slots.size()) return nullptr;
    Slot& slot = table.slots[low - 1];
    if ((value >> kIndexBits) != slot.generation ||
        std::holds_alternative<std::monostate>(slot.object)) {
        return nullptr;
    }
    return &slot;
}

HGDIOBJ AddLocked(Table& table, Object object) {
    std::uint32_t index;
    if (!table.freeSlots.empty()) {
        index = table.freeSlots.back();
        table.freeSlots.pop_back();
    } else {
        if (table.slots.size() >= kMaxSlots) return nullptr;
        index = static_cast<std::uint32_t>(table.slots.size());
        table.slots.emplace_back();
    }
    Slot& slot = table.slots[index];
    slot.object = std::move(object);
    return HandleOf(index, slot.generation);
}

void RemoveLocked(Table& table, Slot& slot) {
    slot.object = std::monostate{};
    if (slot.generation == kMaxGeneration) return;  // retired
    ++slot.generation;
    table.freeSlots.push_back(static_cast<std::uint32_t>(&slot - table.slots.data()));
}

template <class T>
std::shared_ptr<T> Find(HGDIOBJ handle) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Slot* slot = SlotOf(table, handle);
    if (!slot) return nullptr;
    const auto* object = std::get_if<std::shared_ptr<T>>(&slot->object);
    return object ? *object : nullptr;
}

// Creates the stock objects once; the caller holds the table lock.
void MakeStockLocked(Table& table) {
    if (table.defaultBitmap) return;
    // Memory DCs start with a 1x1 monochrome bitmap, as in Windows.
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->pixels = MonochromePixels(1, 1);
    bitmap->monochrome = true;
    bitmap->stock = true;
    table.defaultBitmap = AddLocked(table, bitmap);
    auto brush = std::make_shared<Brush>();
    brush->colour = 0xFFFFFF;
    brush->stock = true;
    table.defaultBrush = AddLocked(table, brush);
}

}  // namespace

HGDIOBJ AddBitmap(std::shared_ptr<Bitmap> bitmap) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return AddLocked(table, std::move(bitmap));
}

std::shared_ptr<display::PixelBuffer> MonochromePixels(int width, int height) {
    auto pixels = display::PixelBuffer::Create(width, height, display::PixelFormat::kIndexed8);
    if (pixels) {
        display::Palette& table = *pixels->ColourTable();
        table.count = 2;
        table.colours[1] = 0xFFFFFF;
    }
    return pixels;
}

HGDIOBJ AddBrush(std::shared_ptr<Brush> brush) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return AddLocked(table, std::move(brush));
}

HDC AddDC(std::shared_ptr<DeviceContext> dc) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    MakeStockLocked(table);
    std::shared_ptr<Bitmap> own;
    if (dc->kind == DcKind::kMemory) {
        Slot* stock = SlotOf(table, table.defaultBitmap);
        dc->bitmapHandle = static_cast<HBITMAP>(table.defaultBitmap);
        dc->bitmap = std::get<std::shared_ptr<Bitmap>>(stock->object);
    } else if (dc->kind == DcKind::kSurface && dc->canvas.buffer()) {
        own = std::make_shared<Bitmap>();
        own->pixels = dc->canvas.buffer();
        dc->surfaceBitmap = static_cast<HBITMAP>(AddLocked(table, own));
        if (!dc->surfaceBitmap) return nullptr;
        dc->bitmapHandle = dc->surfaceBitmap;
        dc->bitmap = own;
    }
    dc->brushHandle = static_cast<HBRUSH>(table.defaultBrush);
    const HGDIOBJ ownHandle = dc->surfaceBitmap;
    const auto handle = static_cast<HDC>(AddLocked(table, std::move(dc)));
    if (own) {
        if (!handle) {
            RemoveLocked(table, *SlotOf(table, ownHandle));
            return nullptr;
        }
        own->surfaceDC = own->selectedInto = handle;
    }
    return handle;
}

std::shared_ptr<Bitmap> FindBitmap(HGDIOBJ handle) {
    return Find<Bitmap>(handle);
}
std::shared_ptr<Brush> FindBrush(HGDIOBJ handle) {
    return Find<Brush>(handle);
}
std::shared_ptr<DeviceContext> FindDC(HDC handle) {
    return Find<DeviceContext>(handle);
}

HGDIOBJ Select(HDC dcHandle, HGDIOBJ object) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Slot* dcSlot = SlotOf(table, dcHandle);
    Slot* objectSlot = SlotOf(table, object);
    if (!dcSlot || !objectSlot) return nullptr;
    auto* dc = std::get_if<std::shared_ptr<DeviceContext>>(&dcSlot->object);
    if (!dc) return nullptr;
    DeviceContext& context = **dc;

    if (auto* brush = std::get_if<std::shared_ptr<Brush>>(&objectSlot->object)) {
        (void)brush;
        HGDIOBJ previous = context.brushHandle;
        context.brushHandle = static_cast<HBRUSH>(object);
        return previous;
    }
    auto* bitmap = std::get_if<std::shared_ptr<Bitmap>>(&objectSlot->object);
    const bool holdsBitmaps = context.kind == DcKind::kMemory ||
                              (context.kind == DcKind::kSurface && context.surfaceBitmap);
    if (!bitmap || !holdsBitmaps) return nullptr;
    Bitmap& chosen = **bitmap;
    if (!chosen.stock && chosen.selectedInto && chosen.selectedInto != dcHandle) return nullptr;
    if (chosen.surfaceDC && chosen.surfaceDC != dcHandle) return nullptr;
    HGDIOBJ previous = context.bitmapHandle;
    if (context.bitmap && !context.bitmap->stock) context.bitmap->selectedInto = nullptr;
    if (!chosen.stock) chosen.selectedInto = dcHandle;
    context.bitmapHandle = static_cast<HBITMAP>(object);
    context.bitmap = *bitmap;
    return previous;
}

std::shared_ptr<Bitmap> SelectedBitmap(HDC handle) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Slot* slot = SlotOf(table, handle);
    if (!slot) return nullptr;
    const auto* dc = std::get_if<std::shared_ptr<DeviceContext>>(&slot->object);
    return dc ? (*dc)->bitmap : nullptr;
}

bool DeleteGdiObject(HGDIOBJ object) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Slot* slot = SlotOf(table, object);
    if (!slot) return false;
    if (auto* bitmap = std::get_if<std::shared_ptr<Bitmap>>(&slot->object)) {
        if ((*bitmap)->stock) return true;
        if ((*bitmap)->selectedInto || (*bitmap)->surfaceDC) return false;
    } else if (auto* brush = std::get_if<std::shared_ptr<Brush>>(&slot->object)) {
        if ((*brush)->stock) return true;
        // A brush selected into a DC stays until it is replaced there.
        for (const Slot& other : table.slots) {
            const auto* dc = std::get_if<std::shared_ptr<DeviceContext>>(&other.object);
            if (dc && (*dc)->brushHandle == object) return false;
        }
    } else {
        return false;  // DCs go through DeleteDC / ReleaseDC
    }
    RemoveLocked(table, *slot);
    return true;
}

bool RemoveDC(HDC handle) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Slot* slot = SlotOf(table, handle);
    if (!slot) return false;
    auto* dc = std::get_if<std::shared_ptr<DeviceContext>>(&slot->object);
    if (!dc) return false;
    if ((*dc)->bitmap && !(*dc)->bitmap->stock) (*dc)->bitmap->selectedInto = nullptr;
    if (Slot* own = SlotOf(table, (*dc)->surfaceBitmap)) RemoveLocked(table, *own);
    RemoveLocked(table, *slot);
    return true;
}

}  // namespace brannock::platform::gdi
