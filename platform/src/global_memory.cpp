// Global memory blocks: GlobalAlloc, GlobalLock, GlobalUnlock, GlobalReAlloc, GlobalSize and
// GlobalFree.
//
// NOTE: every block is reached through a handle and GlobalLock, GMEM_FIXED ones included
// (Win32 hands out a fixed block's address as its handle; our handles are 32-bit ids). Blocks
// are always zero-filled, GMEM_ZEROINIT or not.
#include "handles.h"

#include <platform/win32.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace orvex::platform {

namespace {

struct GlobalBlock {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
  bool moveable = false;
  unsigned locks = 0;
};

using GlobalTable = HandleTable<GlobalBlock, HandleKind::GlobalMemory>;

GlobalTable& blocks() {
  static GlobalTable table;
  return table;
}

// Larger requests fail as if memory had run out.
constexpr std::size_t kMaxBlockBytes = std::size_t{1} << 30;

std::unique_ptr<std::uint8_t[]> allocate(std::size_t bytes) {
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow)
                                             std::uint8_t[std::max<std::size_t>(bytes, 1)]());
}

} // namespace

} // namespace orvex::platform

using namespace orvex::platform;

// A new block of `bytes` (0 to 1 GiB); 0 when memory runs out.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (bytes > kMaxBlockBytes) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  auto block = std::unique_ptr<GlobalBlock>(new (std::nothrow) GlobalBlock);
  if (!block) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  block->data = allocate(bytes);
  if (!block->data) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  block->size = bytes;
  block->moveable = (flags & GMEM_MOVEABLE) != 0;
  HGLOBAL handle = blocks().add(std::move(block));
  if (!handle) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return handle;
}

// The block's address; counts a lock on a moveable block. Null for a zero-byte block.
LPVOID GlobalLock(HGLOBAL mem) {
  GlobalBlock* block = blocks().get(mem);
  if (!block) return SetLastError(ERROR_INVALID_HANDLE), nullptr;
  if (block->size == 0) return nullptr;
  if (block->moveable) ++block->locks;
  return block->data.get();
}

// Drops one lock; non-zero while locks remain. A fixed block always answers TRUE; a block
// that was not locked answers FALSE with ERROR_NOT_LOCKED.
BOOL GlobalUnlock(HGLOBAL mem) {
  GlobalBlock* block = blocks().get(mem);
  if (!block) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (!block->moveable) return TRUE;
  if (block->locks == 0) return SetLastError(ERROR_NOT_LOCKED), FALSE;
  if (--block->locks > 0) return TRUE;
  return SetLastError(ERROR_SUCCESS), FALSE;
}

// Resizes a block, keeping its contents (new bytes are zero); returns the same handle, or 0
// with the block unchanged. GMEM_MODIFY changes only whether the block is moveable.
// NOTE: the handle never changes. A block that has to grow moves in memory, which is allowed
// when it is unlocked and moveable, or whenever GMEM_MOVEABLE is passed, even while locked:
// addresses from earlier GlobalLock calls are then stale, so callers unlock before growing.
// Shrinking always stays in place.
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
  GlobalBlock* block = blocks().get(mem);
  if (!block) return SetLastError(ERROR_INVALID_HANDLE), 0;
  if (flags & GMEM_MODIFY) {
    if (flags & GMEM_MOVEABLE) block->moveable = true;
    return mem;
  }
  if (bytes > kMaxBlockBytes) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  if (bytes <= block->size) {
    block->size = bytes;
    return mem;
  }
  const bool may_move = (flags & GMEM_MOVEABLE) || (block->moveable && block->locks == 0);
  if (!may_move) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  std::unique_ptr<std::uint8_t[]> grown = allocate(bytes);
  if (!grown) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  std::memcpy(grown.get(), block->data.get(), block->size);
  block->data = std::move(grown);
  block->size = bytes;
  return mem;
}

// The block's size in bytes; 0 for a handle that is not a block.
SIZE_T GlobalSize(HGLOBAL mem) {
  GlobalBlock* block = blocks().get(mem);
  if (!block) return SetLastError(ERROR_INVALID_HANDLE), 0;
  return block->size;
}

// Frees a block, locked or not; returns 0, or the handle itself when it is not a block.
HGLOBAL GlobalFree(HGLOBAL mem) {
  if (!blocks().remove(mem)) return SetLastError(ERROR_INVALID_HANDLE), mem;
  return 0;
}
