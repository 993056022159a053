// Owners for GDI handles: each releases what it holds on every path out of a scope.
#pragma once

#include <windows.h>

namespace zorv {

// A window's device context from GetDC (a null window means the screen).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { if (dc_) ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with another one.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
private:
    HDC dc_;
};

// Any GDI object that is deleted with DeleteObject (bitmaps, fonts, palettes).
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(other.release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Handle get() const { return handle_; }
    Handle release() { Handle h = handle_; handle_ = nullptr; return h; }
    void reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }
    explicit operator bool() const { return handle_ != nullptr; }
private:
    Handle handle_ = nullptr;
};

// The device context of one WM_PAINT, between BeginPaint and EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    const PAINTSTRUCT& paint() const { return paint_; }
private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back at scope end.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() { if (previous_) SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Selects a palette (as a background or foreground palette), realises it, and puts the
// previous palette back at scope end. A null palette leaves the context as it is.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette, bool background)
        : dc_(dc), previous_(palette ? SelectPalette(dc, palette, background ? TRUE : FALSE) : nullptr) {
        if (palette) RealizePalette(dc);
    }
    ~SelectedPalette() { if (previous_) SelectPalette(dc_, previous_, TRUE); }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;
private:
    HDC dc_;
    HPALETTE previous_;
};

}  // namespace zorv
