// The caption table read from ".\info\String.dat": the caption font and the few texts the
// front-end draws itself or shows in the configuration-file error dialog. Also the arithmetic
// that turns the caption font's size in tenths of a point into LOGFONT pixels.
#pragma once

#include <cstddef>
#include <string>

namespace zorv {

constexpr size_t kCaptionChars = 49;      // captions and the face name
constexpr size_t kExplanationChars = 99;  // the "wm:" explanation

struct CaptionTable {
    char face[kCaptionChars + 1] = {};
    int height = 0;  // tenths of a point
    int width = 0;   // tenths of a point; 0 = the face's own width
    char audio[2][kCaptionChars + 1] = {};
    char video[3][kCaptionChars + 1] = {};
    char explanation[kExplanationChars + 1] = {};
};

// Process-wide, empty until the file is read: it is read once as the menu window is made and
// only read after, by the screens' captions and by the error dialog any file routine may raise.
CaptionTable& Captions();

// Whether a byte of the system's ANSI code page starts a double-byte character (code pages 932,
// 936, 949 and 950); null for a single-byte code page.
using LeadByteRule = bool (*)(unsigned char byte);

// One line (or 255-character piece) of the caption file. The key is the first token
// (delimiters space, tab, newline), compared exactly: "FONT:", "FHeight:", "FWidth:", "a0:",
// "a1:", "v0:", "v1:", "v2:", "wm:"; other lines change nothing. The value starts after the
// single delimiter that ended the key, skips leading tabs (not spaces) and ends at the next
// tab or the line end ('\n', and a '\r' before it, are not part of it). Texts longer than
// their field are cut after the last whole character that fits: with `leadByte`, a double-byte
// character is never split, and a lead byte that ends the text, with no second byte, is dropped.
// A key with no value text empties its field (sizes become 0).
// The line is read as a C string: anything after a NUL byte is ignored.
void ApplyCaptionLine(CaptionTable& table, const std::string& line, LeadByteRule leadByte = nullptr);

// The whole file's text: clears the face name, then applies every line as the line reader
// delivers it (pieces of at most 255 characters). CR LF line ends count as LF, as a text-mode
// read on Windows delivers them.
void ParseCaptionText(CaptionTable& table, const std::string& wholeText, LeadByteRule leadByte = nullptr);

// A size in tenths of a point at `pixelsPerInch`, in tenths of a pixel: the product with the
// single-precision constant 1/72 (0.013888889f), truncated toward zero. Results beyond the
// 32-bit range are clamped to +-INT_MAX.
int CaptionPointToDevice(int tenths, int pixelsPerInch);

// LOGFONT lfHeight for a height of `y` tenths of a pixel: -(|y| * 0.1 + 0.5), truncated, i.e.
// whole pixels rounded half up, negative so that it is a character height.
int CaptionHeightFromDevice(int y);

// lfWidth that scales the face's average character width by |x| / |y|, truncated. False when
// x is 0 (no width asked for) or y is 0 (no height to scale against): the face keeps its own
// width.
bool CaptionWidthFromDevice(int x, int y, int averageCharWidth, int* lfWidth);

// The height the captions are drawn with: the file's height plus half a point, so that
// a height of 0 still gives a visible font. Saturates at INT_MAX.
int CaptionDrawingHeight(const CaptionTable& table);

}  // namespace zorv
