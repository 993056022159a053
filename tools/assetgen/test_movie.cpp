// Tests of the intro movie: the run-length encoding of its frames, the AVI file around them, and
// the movie itself. The files are read back by a parser and a decoder written here from the
// formats' rules, independently of the writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "avi.h"
#include "movie.h"
#include "palette.h"
#include "text.h"

namespace assetgen {
namespace {

uint32_t U16(const Bytes& b, size_t at) { return static_cast<uint32_t>(b.at(at) | b.at(at + 1) << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::string Tag(const Bytes& b, size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

// Decodes BI_RLE8 data strictly: every code must stay inside the picture, every row but the last
// must end with an end-of-line code and the data with an end-of-bitmap code. Returns the
// pixels top row first, or throws with what was wrong.
std::vector<uint8_t> DecodeRle8(const Bytes& data, int w, int h) {
    std::vector<uint8_t> px(static_cast<size_t>(w) * h, 0);
    std::vector<bool> set(px.size(), false);
    int x = 0, y = h - 1;  // rows are stored bottom-up
    size_t i = 0;
    auto put = [&](uint8_t v) {
        if (x >= w || y < 0) throw std::runtime_error("pixel outside the picture");
        size_t at = static_cast<size_t>(y) * w + x++;
        px[at] = v;
        set[at] = true;
    };
    for (;;) {
        if (i + 2 > data.size()) throw std::runtime_error("data ends without end of bitmap");
        uint8_t n = data[i], v = data[i + 1];
        i += 2;
        if (n > 0) {
            for (int k = 0; k < n; ++k) put(v);
        } else if (v == 0) {  // end of line
            if (x != w) throw std::runtime_error("row " + std::to_string(h - 1 - y) + " ends early");
            x = 0;
            --y;
        } else if (v == 1) {  // end of bitmap
            if (y != 0 || x != w) throw std::runtime_error("end of bitmap before the last pixel");
            if (i != data.size()) throw std::runtime_error("bytes after the end of bitmap");
            break;
        } else if (v == 2) {
            throw std::runtime_error("delta code in a key frame");
        } else {  // absolute run of v pixels, padded to a whole word
            size_t padded = v + (v & 1u);
            if (i + padded > data.size()) throw std::runtime_error("absolute run past the end");
            for (int k = 0; k < v; ++k) put(data[i + k]);
            if (v & 1u) EXPECT_EQ(data[i + v], 0) << "padding byte";
            i += padded;
        }
    }
    for (bool s : set)
        if (!s) throw std::runtime_error("a pixel was never written");
    return px;
}

struct Chunk {
    std::string id;  // four characters; for LIST and RIFF the list type follows in `type`
    std::string type;
    size_t data = 0;  // offset of the data (for lists: of the first child)
    size_t size = 0;  // as the header says
    std::vector<Chunk> children;
};

// Parses chunks between begin and end; each header's size must fit, and odd sizes are followed
// by one pad byte.
std::vector<Chunk> ParseChunks(const Bytes& b, size_t begin, size_t end) {
    std::vector<Chunk> out;
    size_t at = begin;
    while (at < end) {
        if (at + 8 > end) throw std::runtime_error("chunk header past its parent");
        Chunk c;
        c.id = Tag(b, at);
        c.size = U32(b, at + 4);
        c.data = at + 8;
        if (c.data + c.size > end) throw std::runtime_error("chunk " + c.id + " past its parent");
        if (c.id == "RIFF" || c.id == "LIST") {
            c.type = Tag(b, c.data);
            c.children = ParseChunks(b, c.data + 4, c.data + c.size);
        }
        at = c.data + c.size + (c.size & 1u);
        out.push_back(c);
    }
    return out;
}

const Chunk& Find(const std::vector<Chunk>& list, const std::string& id, const std::string& type = "") {
    for (const Chunk& c : list)
        if (c.id == id && c.type == type) return c;
    throw std::runtime_error("no " + id + " " + type);
}

struct ParsedAvi {
    Bytes bytes;
    Chunk riff;
    const Chunk* avih = nullptr;
    const Chunk* strh = nullptr;
    const Chunk* strf = nullptr;
    const Chunk* movi = nullptr;
    const Chunk* idx1 = nullptr;
};

ParsedAvi Parse(Bytes bytes) {
    ParsedAvi p;
    p.bytes = std::move(bytes);
    std::vector<Chunk> top = ParseChunks(p.bytes, 0, p.bytes.size());
    if (top.size() != 1) throw std::runtime_error("more than one top-level chunk");
    p.riff = top[0];
    const Chunk& hdrl = Find(p.riff.children, "LIST", "hdrl");
    p.avih = &Find(hdrl.children, "avih");
    const Chunk& strl = Find(hdrl.children, "LIST", "strl");
    p.strh = &Find(strl.children, "strh");
    p.strf = &Find(strl.children, "strf");
    p.movi = &Find(p.riff.children, "LIST", "movi");
    p.idx1 = &Find(p.riff.children, "idx1");
    return p;
}

// ---- run-length encoding ----

TEST(Rle8, EveryKindOfRowDecodesToItsPixels) {
    auto row = [](std::initializer_list<int> v) {
        std::vector<uint8_t> r;
        for (int x : v) r.push_back(static_cast<uint8_t>(x));
        return r;
    };
    auto repeat = [](int n, uint8_t v) { return std::vector<uint8_t>(static_cast<size_t>(n), v); };
    auto ramp = [](int n) {
        std::vector<uint8_t> r;
        for (int i = 0; i < n; ++i) r.push_back(static_cast<uint8_t>(i * 7 + 3));
        return r;
    };
    const std::vector<std::vector<uint8_t>> rows = {
        row({5}),                       // one pixel
        row({5, 6}),                    // two different: runs of one
        row({5, 6, 7}),                 // shortest absolute run, odd: padded
        row({5, 6, 7, 8}),              // even absolute run
        row({1, 1, 2, 3, 3, 3, 4, 5}),  // runs and literals mixed
        repeat(255, 9),                 // the longest run
        repeat(256, 9),                 // one more than a run holds
        repeat(600, 0),                 // several full runs
        ramp(255),                      // the longest absolute run
        ramp(301),                      // longer than an absolute run holds
    };
    for (const std::vector<uint8_t>& r : rows) {
        const int w = static_cast<int>(r.size()), h = 3;
        SCOPED_TRACE("width " + std::to_string(w));
        std::vector<uint8_t> pixels;
        for (int y = 0; y < h; ++y) {
            pixels.insert(pixels.end(), r.begin(), r.end());
            std::rotate(pixels.end() - w, pixels.end() - w + y % w, pixels.end());  // rows differ
        }
        Bytes data = EncodeRle8(w, h, pixels);
        EXPECT_EQ(data.size() % 2, 0u);
        EXPECT_EQ(DecodeRle8(data, w, h), pixels);
    }
    // A flat frame packs into runs: two bytes per 255 pixels and two per row end.
    Bytes flat = EncodeRle8(320, 240, std::vector<uint8_t>(320 * 240, 4));
    EXPECT_EQ(flat.size(), 240u * (2 * 2 + 2));
}

TEST(Rle8, BadSizesAreRefused) {
    EXPECT_THROW(EncodeRle8(4, 2, std::vector<uint8_t>(7)), std::invalid_argument);
    EXPECT_THROW(EncodeRle8(0, 2, {}), std::invalid_argument);
    Movie m;
    m.width = 4;
    m.height = 2;
    m.framesPerSecond = 10;
    EXPECT_THROW(EncodeAvi(m), std::invalid_argument) << "no frames";
    m.frames = {std::vector<uint8_t>(8), std::vector<uint8_t>(9)};
    EXPECT_THROW(EncodeAvi(m), std::invalid_argument) << "a frame of the wrong size";
    m.frames.pop_back();
    m.framesPerSecond = 0;
    EXPECT_THROW(EncodeAvi(m), std::invalid_argument) << "no frame rate";
}

// ---- the AVI file ----

TEST(AviWriter, HeadersStreamFormatFramesAndIndexAgree) {
    Movie m;
    m.width = 7;
    m.height = 3;
    m.framesPerSecond = 12;
    for (size_t i = 0; i < m.palette.size(); ++i)
        m.palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2)};
    for (int f = 0; f < 4; ++f) {
        std::vector<uint8_t> px(21);
        for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint8_t>(f == 0 ? 1 : i * f);
        m.frames.push_back(px);
    }
    ParsedAvi p = Parse(EncodeAvi(m));
    const Bytes& b = p.bytes;

    EXPECT_EQ(p.riff.id, "RIFF");
    EXPECT_EQ(p.riff.type, "AVI ");
    EXPECT_EQ(p.riff.size, b.size() - 8) << "the RIFF size covers the whole file";

    // The fields a player reads, at their offsets in each header.
    ASSERT_EQ(p.avih->size, avi::kMainHeaderSize);
    ASSERT_EQ(p.strh->size, avi::kStreamHeaderSize);
    ASSERT_EQ(p.strf->size, avi::kFormatSize);
    const size_t a = p.avih->data, s = p.strh->data, f = p.strf->data;
    struct Field {
        const char* what;
        size_t at;
        uint32_t expected;
        bool word;  // 16 bits, else 32
    } fields[] = {
        {"microseconds per frame", a + 0, 1000000u / 12, false},
        {"has an index", a + 12, avi::kHasIndex, false},
        {"total frames", a + 16, 4, false},
        {"streams", a + 24, 1, false},
        {"width", a + 32, 7, false},
        {"height", a + 36, 3, false},
        {"scale", s + 20, 1, false},
        {"rate", s + 24, 12, false},
        {"length in frames", s + 32, 4, false},
        {"frame right", s + 52, 7, true},
        {"frame bottom", s + 54, 3, true},
        {"format size", f, 40, false},
        {"format width", f + 4, 7, false},
        {"format height: rows bottom-up", f + 8, 3, false},
        {"bits per pixel", f + 14, 8, true},
        {"compression", f + 16, avi::kBiRle8, false},
        {"colours used", f + 32, 256, false},
    };
    EXPECT_EQ(Tag(b, s), "vids");
    for (const Field& field : fields)
        EXPECT_EQ(field.word ? U16(b, field.at) : U32(b, field.at), field.expected) << field.what;
    for (size_t i = 0; i < 256; ++i) {
        const PaletteEntry& e = m.palette[i];
        ASSERT_EQ(U32(b, f + 40 + 4 * i), uint32_t(e.b) | uint32_t(e.g) << 8 | uint32_t(e.r) << 16) << i;
    }

    // Frames in order, each decoding to its pixels; the suggested buffer holds the largest.
    ASSERT_EQ(p.movi->children.size(), 4u);
    uint32_t largest = 0;
    for (size_t i = 0; i < 4; ++i) {
        const Chunk& c = p.movi->children[i];
        EXPECT_EQ(c.id, "00dc");
        Bytes data(b.begin() + c.data, b.begin() + c.data + c.size);
        EXPECT_EQ(DecodeRle8(data, 7, 3), m.frames[i]) << "frame " << i;
        largest = std::max(largest, static_cast<uint32_t>(c.size));
    }
    EXPECT_EQ(U32(b, a + 28), largest);
    EXPECT_EQ(U32(b, s + 36), largest);

    // One index entry per frame: a key frame, its offset counted from the 'movi' tag to the
    // chunk's header, and its size.
    ASSERT_EQ(p.idx1->size, 4u * 16);
    const size_t moviTag = p.movi->data;
    for (size_t i = 0; i < 4; ++i) {
        size_t e = p.idx1->data + 16 * i;
        const Chunk& c = p.movi->children[i];
        EXPECT_EQ(Tag(b, e), "00dc");
        EXPECT_EQ(U32(b, e + 4), avi::kKeyFrame);
        EXPECT_EQ(moviTag + U32(b, e + 8), c.data - 8) << "entry " << i;
        EXPECT_EQ(U32(b, e + 12), c.size);
    }
}

// ---- the movie ----

TEST(IntroMovie, AFewSecondsOfTheTitleComingOutOfTheDarkWithCornerMarks) {
    Fonts fonts = LoadFonts();
    Movie m = DrawIntroMovie(fonts);
    Bytes file = EncodeAvi(m);
    double seconds = static_cast<double>(m.frames.size()) / m.framesPerSecond;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 5.0);
    EXPECT_LT(file.size(), 2u << 20) << "a couple of MB at most";
    EXPECT_EQ(Parse(file).movi->children.size(), m.frames.size());

    const Palette& pal = m.palette;
    auto at = [&](const std::vector<uint8_t>& frame, int x, int y) {
        return pal[frame[static_cast<size_t>(y) * m.width + x]];
    };
    auto yellow = [](PaletteEntry e) { return e.r > 200 && e.g > 150 && e.b < 80; };
    auto light = [](PaletteEntry e) { return e.r + e.g + e.b; };
    // Mean light of the picture inside the corner marks.
    auto meanLight = [&](const std::vector<uint8_t>& frame) {
        double sum = 0;
        int n = 0;
        for (int y = kCornerMarkLength; y < m.height - kCornerMarkLength; ++y)
            for (int x = 0; x < m.width; ++x, ++n) sum += light(at(frame, x, y));
        return sum / n;
    };
    double previous = -1;
    for (size_t i = 0; i < m.frames.size(); ++i) {
        const std::vector<uint8_t>& f = m.frames[i];
        SCOPED_TRACE("frame " + std::to_string(i));
        const int inset = kCornerMarkWidth / 2, far = kCornerMarkLength - 2;
        for (int cx : {inset, m.width - 1 - inset})
            for (int cy : {inset, m.height - 1 - inset}) {
                EXPECT_TRUE(yellow(at(f, cx, cy))) << "corner " << cx << ", " << cy;
                int ax = cx < m.width / 2 ? far : m.width - 1 - far;  // along the arm
                EXPECT_TRUE(yellow(at(f, ax, cy)));
            }
        double mean = meanLight(f);
        EXPECT_GE(mean, previous) << "the picture never darkens";
        previous = mean;
    }
    EXPECT_LT(meanLight(m.frames.front()), 3 * 6.0) << "the first frame is dark";
    // At the end the title glows green in the middle of the picture.
    int green = 0;
    for (int x = m.width / 4; x < m.width * 3 / 4; ++x) {
        PaletteEntry e = at(m.frames.back(), x, m.height * 2 / 5);
        if (e.g > 120 && e.g > e.r + 40 && e.g > e.b + 40) ++green;
    }
    EXPECT_GT(green, m.width / 8);
}

}  // namespace
}  // namespace assetgen
