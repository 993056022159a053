// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// Owners for GDI handles and device context state: each releases or restores what it holds on
// every path out of a scope.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

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
class WindowDC : public UniqueHandle<CloseWithOwner<HWND, HDC, ReleaseDC>> {
public:
    explicit WindowDC(HWND window) : UniqueHandle({window, GetDC(window)}) {}
    HDC get() const { return UniqueHandle::get().value; }
};

// The device context of one WM_PAINT, between BeginPaint and EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// A device context's state, saved with SaveDC and restored at scope end.
class SavedDC : public UniqueHandle<CloseWithOwner<HDC, int, RestoreDC>> {
public:
    explicit SavedDC(HDC dc) : UniqueHandle({dc, SaveDC(dc)}) {}
};

// Selects an object into a device context and puts the previous one back at scope end. A null
// object leaves the context as it is.
class SelectedObject : public UniqueHandle<CloseWithOwner<HDC, HGDIOBJ, SelectObject>> {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : UniqueHandle({dc, object ? SelectObject(dc, object) : nullptr}) {}
    // The same, but at scope end `after` (a stock object) is selected, whatever was selected
    // before, so that the object is free to be deleted by its owner.
    SelectedObject(HDC dc, HGDIOBJ object, HGDIOBJ after) : UniqueHandle({dc, after}) {
        if (object) SelectObject(dc, object);
    }
};

// SelectPalette as the background palette, as a palette is put back.
inline HPALETTE SelectBackgroundPalette(HDC dc, HPALETTE palette) { return SelectPalette(dc, palette, TRUE); }

// Selects a palette (as a background or foreground palette), realises it, and puts the
// previous palette back at scope end. A null palette leaves the context as it is.
class SelectedPalette : public UniqueHandle<CloseWithOwner<HDC, HPALETTE, SelectBackgroundPalette>> {
public:
    SelectedPalette(HDC dc, HPALETTE palette, bool background)
        : UniqueHandle({dc, palette ? SelectPalette(dc, palette, background ? TRUE : FALSE) : nullptr}) {
        if (palette) RealizePalette(dc);
    }
};

}  // namespace zorv
