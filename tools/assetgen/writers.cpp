#include "writers.h"

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

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kColourTableSize = 256 * 4;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

// BITMAPINFOHEADER. For icons the height counts the colour picture and the AND mask.
void PutInfoHeader(Bytes& out, int w, int storedHeight, int bits, uint32_t imageBytes, uint32_t coloursUsed) {
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(storedHeight));
    Put16(out, 1);  // planes
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, coloursUsed);
    Put32(out, 0);  // all colours important
}

void PutColourTable(Bytes& out, const Palette& palette) {
    for (const PaletteEntry& e : palette) {
        out.push_back(e.b);
        out.push_back(e.g);
        out.push_back(e.r);
        out.push_back(0);
    }
}

}  // namespace

Bytes EncodeBmp8(int w, int h, const std::vector<uint8_t>& indices, const Palette& palette) {
    if (w <= 0 || h <= 0 || indices.size() != static_cast<size_t>(w) * h)
        throw std::invalid_argument("EncodeBmp8: pixel count does not match the size");
    size_t stride = DibStride(w, 8);
    uint32_t imageBytes = static_cast<uint32_t>(stride * h);
    uint32_t offset = 14 + kInfoHeaderSize + kColourTableSize;
    Bytes out;
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);  // two reserved words
    Put32(out, offset);
    PutInfoHeader(out, w, h, 8, imageBytes, 256);
    PutColourTable(out, palette);
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* row = &indices[static_cast<size_t>(y) * w];
        out.insert(out.end(), row, row + w);
        out.resize(out.size() + (stride - static_cast<size_t>(w)), 0);
    }
    return out;
}

Bytes EncodeWav16(int sampleRate, const std::vector<int16_t>& samples) {
    uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, static_cast<uint32_t>(sampleRate));
    Put32(out, static_cast<uint32_t>(sampleRate) * 2);  // bytes per second
    Put16(out, 2);                                      // block alignment
    Put16(out, 16);                                     // bits per sample
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
    return out;
}

Bytes EncodeIcon(const IconImage& image, const Palette& palette) {
    const int n = image.size;
    if (n <= 0 || n > 255 || image.bgra.size() != static_cast<size_t>(n) * n * 4)
        throw std::invalid_argument("EncodeIcon: pixel count does not match the size");
    auto alpha = [&](int x, int y) { return image.bgra[(static_cast<size_t>(y) * n + x) * 4 + 3]; };

    // AND mask: 1 = transparent. Rows bottom-up, one bit per pixel, padded to four bytes.
    size_t maskStride = DibStride(n, 1);
    Bytes mask(maskStride * n, 0);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (alpha(x, y) < 128) mask[static_cast<size_t>(n - 1 - y) * maskStride + x / 8] |= 0x80 >> (x % 8);

    // 8-bit picture: partly covered pixels are blended over the light grey of a dialog face.
    Bytes pal;
    {
        size_t stride = DibStride(n, 8);
        uint32_t xorBytes = static_cast<uint32_t>(stride * n);
        PutInfoHeader(pal, n, 2 * n, 8, xorBytes + static_cast<uint32_t>(mask.size()), 256);
        PutColourTable(pal, palette);
        for (int y = n - 1; y >= 0; --y) {
            for (int x = 0; x < n; ++x) {
                const uint8_t* p = &image.bgra[(static_cast<size_t>(y) * n + x) * 4];
                int a = p[3];
                auto over = [a](int c) { return (c * a + 192 * (255 - a) + 127) / 255; };
                pal.push_back(a < 128 ? 0 : NearestIndex(over(p[2]), over(p[1]), over(p[0])));
            }
            pal.resize(pal.size() + (stride - static_cast<size_t>(n)), 0);
        }
        pal.insert(pal.end(), mask.begin(), mask.end());
    }
    // 32-bit picture with alpha.
    Bytes rgba;
    {
        uint32_t xorBytes = static_cast<uint32_t>(n) * n * 4;
        PutInfoHeader(rgba, n, 2 * n, 32, xorBytes + static_cast<uint32_t>(mask.size()), 0);
        for (int y = n - 1; y >= 0; --y) {
            const uint8_t* row = &image.bgra[static_cast<size_t>(y) * n * 4];
            rgba.insert(rgba.end(), row, row + static_cast<size_t>(n) * 4);
        }
        rgba.insert(rgba.end(), mask.begin(), mask.end());
    }

    Bytes out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // icon
    Put16(out, 2);  // image count
    uint32_t offset = 6 + 2 * 16;
    struct Entry {
        const Bytes* data;
        int bits;
    } entries[] = {{&pal, 8}, {&rgba, 32}};
    for (const Entry& e : entries) {
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(0);  // colour count: 0 for 256 colours and more
        out.push_back(0);
        Put16(out, 1);  // planes
        Put16(out, static_cast<uint32_t>(e.bits));
        Put32(out, static_cast<uint32_t>(e.data->size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(e.data->size());
    }
    for (const Entry& e : entries) out.insert(out.end(), e.data->begin(), e.data->end());
    return out;
}

}  // namespace assetgen
