// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// Owners for kernel handles, loaded modules and global memory blocks: each releases what it
// holds on every path out of a scope.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/unique_handle.h"

namespace zorv {

// Traits of the kernel's HANDLEs, which say "none" two ways: null (processes, threads, events)
// and INVALID_HANDLE_VALUE (CreateFileA, FindFirstFileA). Both count as empty; an empty owner
// holds null.
template <auto CloseFunction>
struct NullOrInvalidHandle {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsEmpty(Handle handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseFunction(handle); }
};

// A handle closed with CloseHandle (processes, threads, events, files opened with CreateFileA).
using KernelHandle = UniqueHandle<NullOrInvalidHandle<CloseHandle>>;
// A search of FindFirstFileA, closed with FindClose.
using FileSearch = UniqueHandle<NullOrInvalidHandle<FindClose>>;
// A module loaded with LoadLibraryA or LoadLibraryExA.
using LoadedModule = UniqueHandle<CloseWith<HMODULE, FreeLibrary>>;
// A view of a file mapping from MapViewOfFile.
using MappedView = UniqueHandle<CloseWith<void*, UnmapViewOfFile>>;

// A movable global memory block, kept locked for as long as it is owned. Moving it keeps the
// lock: the bytes stay where they are.
class GlobalBlock {
public:
    GlobalBlock() = default;
    // A zero-filled block of `bytes` (at least one); empty when memory runs out.
    explicit GlobalBlock(SIZE_T bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes ? bytes : 1)) {
        if (memory_) data_ = GlobalLock(memory_);
        if (memory_ && !data_) reset();
    }
    ~GlobalBlock() { reset(); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    GlobalBlock(GlobalBlock&& other) noexcept
        : memory_(std::exchange(other.memory_, nullptr)), data_(std::exchange(other.data_, nullptr)) {}
    GlobalBlock& operator=(GlobalBlock&& other) noexcept {
        if (this != &other) {
            reset();
            memory_ = std::exchange(other.memory_, nullptr);
            data_ = std::exchange(other.data_, nullptr);
        }
        return *this;
    }
    void reset() {
        if (memory_ && data_) GlobalUnlock(memory_);
        if (memory_) GlobalFree(memory_);
        memory_ = nullptr;
        data_ = nullptr;
    }
    BYTE* bytes() const { return static_cast<BYTE*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }
private:
    HGLOBAL memory_ = nullptr;
    void* data_ = nullptr;
};

}  // namespace zorv
