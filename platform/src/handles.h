// Typed handle tables with generations. A handle packs its kind (4 bits), the generation of
// its slot (12 bits) and the slot index (16 bits); 0 is never a valid handle. A stale handle,
// or one of another kind, looks up as null, so every call can fail the way Win32 fails.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace orvex::platform {

enum class HandleKind : std::uint32_t {
  Window = 1,
  DeviceContext = 2,
  GlContext = 3,
  Bitmap = 4,
  Palette = 5,
  Region = 6,
  Brush = 7,
  Cursor = 8,
  GlobalMemory = 9,
};

constexpr HandleKind handle_kind(std::uint32_t handle) {
  return static_cast<HandleKind>(handle >> 28);
}

template <class T, HandleKind Kind> class HandleTable {
public:
  // Stores the object and returns its handle, or 0 when the table is full.
  std::uint32_t add(std::unique_ptr<T> object) {
    std::uint32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      if (slots_.size() >= kMaxSlots) return 0;
      index = static_cast<std::uint32_t>(slots_.size());
      slots_.push_back({});
    }
    Slot& slot = slots_[index];
    slot.object = std::move(object);
    ++live_;
    return encode(index, slot.generation);
  }

  // The object of a live handle of this table's kind, else null.
  T* get(std::uint32_t handle) const {
    const Slot* slot = find(handle);
    return slot ? slot->object.get() : nullptr;
  }

  // Takes the object out and retires the handle; null when the handle is not live.
  std::unique_ptr<T> remove(std::uint32_t handle) {
    Slot* slot = const_cast<Slot*>(find(handle));
    if (!slot) return nullptr;
    std::unique_ptr<T> object = std::move(slot->object);
    slot->generation = (slot->generation + 1) & kGenerationMask;
    if (slot->generation == 0) slot->generation = 1;
    free_.push_back(index_of(handle));
    --live_;
    return object;
  }

  std::size_t size() const { return live_; }

  // Calls f(handle, object) for every live object, in slot order.
  template <class F> void for_each(F&& f) const {
    for (std::uint32_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].object) f(encode(i, slots_[i].generation), *slots_[i].object);
  }

private:
  static constexpr std::uint32_t kIndexBits = 16;
  static constexpr std::uint32_t kMaxSlots = 1u << kIndexBits;
  static constexpr std::uint32_t kGenerationMask = 0xFFF;

  struct Slot {
    std::unique_ptr<T> object;
    std::uint32_t generation = 1;
  };

  static std::uint32_t encode(std::uint32_t index, std::uint32_t generation) {
    return (static_cast<std::uint32_t>(Kind) << 28) | (generation << kIndexBits) | index;
  }
  static std::uint32_t index_of(std::uint32_t handle) { return handle & (kMaxSlots - 1); }

  const Slot* find(std::uint32_t handle) const {
    if (handle_kind(handle) != Kind) return nullptr;
    std::uint32_t index = index_of(handle);
    if (index >= slots_.size()) return nullptr;
    const Slot& slot = slots_[index];
    if (!slot.object || slot.generation != ((handle >> kIndexBits) & kGenerationMask))
      return nullptr;
    return &slot;
  }

  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_;
  std::size_t live_ = 0;
};

} // namespace orvex::platform
