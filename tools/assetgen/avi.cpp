#include "avi.h"

#include <algorithm>
#include <stdexcept>

namespace assetgen {

namespace {

void Put16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32(Bytes& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(Bytes& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

void Patch32(Bytes& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>((v >> (8 * i)) & 0xFF);
}

// Opens a chunk (or, with a list type, a LIST or RIFF) and returns where its size goes.
size_t Open(Bytes& out, const char* id, const char* listType = nullptr) {
    PutTag(out, id);
    size_t sizeAt = out.size();
    Put32(out, 0);
    if (listType) PutTag(out, listType);
    return sizeAt;
}

// Writes the size of the chunk opened at sizeAt and pads it to an even length, as RIFF asks.
void Close(Bytes& out, size_t sizeAt) {
    Patch32(out, sizeAt, static_cast<uint32_t>(out.size() - sizeAt - 4));
    if (out.size() % 2) out.push_back(0);
}

size_t RunAt(const uint8_t* row, int w, int x) {
    int end = x + 1;
    while (end < w && end - x < 255 && row[end] == row[x]) ++end;
    return static_cast<size_t>(end - x);
}

void EncodeRow(Bytes& out, const uint8_t* row, int w) {
    int x = 0;
    while (x < w) {
        size_t run = RunAt(row, w, x);
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[x]);
            x += static_cast<int>(run);
            continue;
        }
        // Literal pixels up to the next run worth encoding (three or more).
        int end = x;
        while (end < w && end - x < 255 && RunAt(row, w, end) < 3) ++end;
        int count = end - x;
        if (count >= 3) {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(count));
            out.insert(out.end(), row + x, row + end);
            if (count % 2) out.push_back(0);
        } else {
            for (int i = x; i < end; ++i) {
                out.push_back(1);
                out.push_back(row[i]);
            }
        }
        x = end;
    }
}

void PutBitmapInfo(Bytes& out, const Movie& movie, uint32_t largestFrame) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(movie.width));
    Put32(out, static_cast<uint32_t>(movie.height));
    Put16(out, 1);  // planes
    Put16(out, 8);  // bits per pixel
    Put32(out, avi::kBiRle8);
    Put32(out, largestFrame);
    Put32(out, 0);  // pixels per metre
    Put32(out, 0);
    Put32(out, 256);  // colours used
    Put32(out, 0);    // all important
    for (const PaletteEntry& e : movie.palette) {
        out.push_back(e.b);
        out.push_back(e.g);
        out.push_back(e.r);
        out.push_back(0);
    }
}

}  // namespace

Bytes EncodeRle8(int w, int h, const std::vector<uint8_t>& indices) {
    if (w <= 0 || h <= 0 || indices.size() != static_cast<size_t>(w) * h)
        throw std::invalid_argument("EncodeRle8: pixel count does not match the size");
    Bytes out;
    for (int y = h - 1; y >= 0; --y) {
        EncodeRow(out, &indices[static_cast<size_t>(y) * w], w);
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);  // end of bitmap after the top row, else end of line
    }
    return out;
}

Bytes EncodeAvi(const Movie& movie) {
    if (movie.frames.empty() || movie.framesPerSecond <= 0 || movie.width <= 0 || movie.height <= 0)
        throw std::invalid_argument("EncodeAvi: a movie needs a size, a frame rate and frames");
    std::vector<Bytes> frames;
    uint32_t largest = 0;
    for (const std::vector<uint8_t>& f : movie.frames) {
        frames.push_back(EncodeRle8(movie.width, movie.height, f));
        largest = std::max(largest, static_cast<uint32_t>(frames.back().size()));
    }
    const uint32_t count = static_cast<uint32_t>(frames.size());
    const uint32_t fps = static_cast<uint32_t>(movie.framesPerSecond);

    Bytes out;
    size_t riff = Open(out, "RIFF", "AVI ");
    size_t hdrl = Open(out, "LIST", "hdrl");

    size_t avih = Open(out, "avih");
    Put32(out, 1000000 / fps);  // microseconds per frame
    Put32(out, largest * fps);  // maximum bytes per second
    Put32(out, 0);              // padding granularity
    Put32(out, avi::kHasIndex);
    Put32(out, count);    // total frames
    Put32(out, 0);        // initial frames
    Put32(out, 1);        // streams
    Put32(out, largest);  // suggested buffer size
    Put32(out, static_cast<uint32_t>(movie.width));
    Put32(out, static_cast<uint32_t>(movie.height));
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    Close(out, avih);

    size_t strl = Open(out, "LIST", "strl");
    size_t strh = Open(out, "strh");
    PutTag(out, "vids");
    PutTag(out, "mrle");
    Put32(out, 0);      // flags
    Put16(out, 0);      // priority
    Put16(out, 0);      // language
    Put32(out, 0);      // initial frames
    Put32(out, 1);      // scale
    Put32(out, fps);    // rate: frames per second = rate / scale
    Put32(out, 0);      // start
    Put32(out, count);  // length in frames
    Put32(out, largest);
    Put32(out, 0xFFFFFFFFu);  // default quality
    Put32(out, 0);            // sample size: varies
    Put16(out, 0);            // frame rectangle: left, top, right, bottom
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(movie.width));
    Put16(out, static_cast<uint32_t>(movie.height));
    Close(out, strh);
    size_t strf = Open(out, "strf");
    PutBitmapInfo(out, movie, largest);
    Close(out, strf);
    Close(out, strl);
    Close(out, hdrl);

    // Frame chunks; the index gives each one's offset from the 'movi' type tag.
    size_t movi = Open(out, "LIST", "movi");
    const size_t moviTag = movi + 4;
    std::vector<uint32_t> offsets;
    for (const Bytes& f : frames) {
        offsets.push_back(static_cast<uint32_t>(out.size() - moviTag));
        size_t chunk = Open(out, "00dc");
        out.insert(out.end(), f.begin(), f.end());
        Close(out, chunk);
    }
    Close(out, movi);

    size_t idx1 = Open(out, "idx1");
    for (uint32_t i = 0; i < count; ++i) {
        PutTag(out, "00dc");
        Put32(out, avi::kKeyFrame);
        Put32(out, offsets[i]);
        Put32(out, static_cast<uint32_t>(frames[i].size()));
    }
    Close(out, idx1);
    Close(out, riff);
    return out;
}

}  // namespace assetgen
