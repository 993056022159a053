// The platform room: the Win32 owners, calls and helpers that every layer stands on.
//
// A modal dialog's state: a record its caller owns, handed over with DialogBoxParam and kept in
// the dialog's DWLP_USER slot for the dialog's life.
#pragma once

#include <windows.h>

#include "platform/thread_dpi_win.h"

namespace zorv {

// Runs template `templateId` over `owner` with `state` as its record, made unaware of the display's
// resolution: the screens are pixel pictures, and what the system draws in them keeps its size.
template <class State>
INT_PTR RunDialog(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure, State& state) {
    ThreadDpiAwareness unaware;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, procedure, reinterpret_cast<LPARAM>(&state));
}

// The record of `dialog`: taken from WM_INITDIALOG's lParam and kept (its controls' procedures
// pass the dialog alone); null for the messages a dialog gets before WM_INITDIALOG.
template <class State>
State* DialogState(HWND dialog, UINT message = WM_NULL, LPARAM lParam = 0) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

}  // namespace zorv
