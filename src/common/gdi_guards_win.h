// Owners for GDI handles and device context state: each releases or restores what it holds on
// every path out of a scope.
#pragma once

#include <windows.h>

#include "common/unique_handle.h"

namespace zorv {

// Any GDI object that is deleted with DeleteObject (bitmaps, fonts, palettes).
template <typename Handle>
using GdiObject = UniqueHandle<CloseWith<Handle, DeleteObject>>;

// A memory device context compatible with another one.
class MemoryDC : public UniqueHandle<CloseWith<HDC, DeleteDC>> {
public:
    explicit MemoryDC(HDC compatibleWith) : UniqueHandle(CreateCompatibleDC(compatibleWith)) {}
};

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

// A device context's state, saved with SaveDC and restored at scope end.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDC() { if (saved_) RestoreDC(dc_, saved_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;
private:
    HDC dc_;
    int saved_;
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

// Selects an object (none when null) into a device context and, at scope end, the stock object
// `stock` (GetStockObject's number) in its place, whatever was selected before: the object is
// then free to be deleted by its owner.
class StockRestoringSelection {
public:
    StockRestoringSelection(HDC dc, HGDIOBJ object, int stock) : dc_(dc), stock_(stock) {
        if (object) SelectObject(dc_, object);
    }
    ~StockRestoringSelection() { SelectObject(dc_, GetStockObject(stock_)); }
    StockRestoringSelection(const StockRestoringSelection&) = delete;
    StockRestoringSelection& operator=(const StockRestoringSelection&) = delete;
private:
    HDC dc_;
    int stock_;
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
