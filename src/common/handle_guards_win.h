// Owners for kernel handles and global memory blocks: each releases what it holds on every
// path out of a scope.
#pragma once

#include <windows.h>

namespace zorv {

// A handle closed with CloseHandle (processes, threads, files opened with CreateFileA).
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~KernelHandle() { reset(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    HANDLE get() const { return handle_; }
    void reset(HANDLE handle = nullptr) {
        if (handle_) CloseHandle(handle_);
        handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }
    explicit operator bool() const { return handle_ != nullptr; }
private:
    HANDLE handle_ = nullptr;
};

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
    GlobalBlock(GlobalBlock&& other) noexcept : memory_(other.memory_), data_(other.data_) {
        other.memory_ = nullptr;
        other.data_ = nullptr;
    }
    GlobalBlock& operator=(GlobalBlock&& other) noexcept {
        if (this != &other) {
            reset();
            memory_ = other.memory_;
            data_ = other.data_;
            other.memory_ = nullptr;
            other.data_ = nullptr;
        }
        return *this;
    }
    void reset() {
        if (memory_) {
            if (data_) GlobalUnlock(memory_);
            GlobalFree(memory_);
        }
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
