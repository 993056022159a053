// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// One owner for any handle that a single call releases, in the manner of WIL's unique_any: a
// move-only holder that releases what it holds on every path out of its scope. Portable: it
// knows the handle only through its traits.
//
// Traits name the handle type, the value that holds nothing, which values count as holding
// nothing, and how to release a handle:
//   struct Traits {
//       using Handle = ...;
//       static Handle Empty();
//       static bool IsEmpty(Handle handle);
//       static void Close(Handle handle);
//   };
// A value that counts as empty is kept as Empty(), so that get() answers one value for none.
#pragma once

namespace zorv {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(Adopted(handle)) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return !Traits::IsEmpty(handle_); }

    // Gives the handle up without releasing it.
    Handle release() {
        const Handle handle = handle_;
        handle_ = Traits::Empty();
        return handle;
    }

    // Releases what is held and takes `handle` in its place.
    void reset(Handle handle = Traits::Empty()) {
        const Handle old = handle_;
        handle_ = Adopted(handle);
        if (!Traits::IsEmpty(old)) Traits::Close(old);
    }

    // For a call that hands a new handle out through a pointer: what was held is released
    // first, and the pointer's target is then owned.
    Handle* put() {
        reset();
        return &handle_;
    }

private:
    static Handle Adopted(Handle handle) { return Traits::IsEmpty(handle) ? Traits::Empty() : handle; }

    Handle handle_ = Traits::Empty();
};

// The usual traits: one release function and one value that holds nothing.
template <typename HandleType, auto CloseFunction, HandleType EmptyValue = HandleType()>
struct CloseWith {
    using Handle = HandleType;
    static Handle Empty() { return EmptyValue; }
    static bool IsEmpty(Handle handle) { return handle == EmptyValue; }
    static void Close(Handle handle) { CloseFunction(handle); }
};

// Traits of a value released together with what it belongs to, as ReleaseDC(window, dc) or
// RestoreDC(dc, saved): the handle is the pair, empty while the value is null or zero.
template <typename OwnerType, typename ValueType, auto CloseFunction>
struct CloseWithOwner {
    struct Handle {
        OwnerType owner;
        ValueType value;
    };
    static Handle Empty() { return Handle{}; }
    static bool IsEmpty(const Handle& handle) { return !handle.value; }
    static void Close(const Handle& handle) { CloseFunction(handle.owner, handle.value); }
};

}  // namespace zorv
