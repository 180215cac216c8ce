// Icon files: a directory of images, each a PNG or a bottom-up device
// independent bitmap followed by a one-bit transparency mask.
#include <cstdlib>
#include <cstring>

#include "image.h"

namespace gdi {

namespace {

const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint16_t U16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

struct Entry {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    uint32_t size = 0;
    uint32_t offset = 0;
};

// The 16 x 16 image, else the nearest in size, deeper colour on a tie.
bool ChooseEntry(const uint8_t* data, size_t size, Entry& best)
{
    if (size < 6 || U16(data) != 0 || (U16(data + 2) != 1 && U16(data + 2) != 2))
        return false;
    int count = U16(data + 4);
    if (count == 0 || size < 6 + size_t(count) * 16)
        return false;
    int bestScore = -1;
    for (int i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + size_t(i) * 16;
        Entry entry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, U16(e + 6), U32(e + 8), U32(e + 12)};
        if (entry.offset >= size || entry.size > size - entry.offset)
            continue;
        int score = std::abs(entry.width - 16) + std::abs(entry.height - 16);
        if (bestScore < 0 || score < bestScore || (score == bestScore && entry.bitsPerPixel > best.bitsPerPixel)) {
            best = entry;
            bestScore = score;
        }
    }
    return bestScore >= 0;
}

class DibReader {
public:
    DibReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool decode(Image& out)
    {
        if (m_size < 40)
            return false;
        uint32_t headerSize = U32(m_data);
        int width = int(int32_t(U32(m_data + 4)));
        int doubledHeight = int(int32_t(U32(m_data + 8)));
        m_bpp = U16(m_data + 14);
        uint32_t compression = U32(m_data + 16);
        uint32_t colorsUsed = U32(m_data + 32);
        int height = std::abs(doubledHeight) / 2;
        if (headerSize < 40 || headerSize > m_size || width <= 0 || width > 1024 || height <= 0 || height > 1024)
            return false;
        if (compression != 0 && !(compression == 3 && m_bpp == 32))
            return false;
        if (m_bpp != 1 && m_bpp != 4 && m_bpp != 8 && m_bpp != 24 && m_bpp != 32)
            return false;
        size_t paletteCount = m_bpp <= 8 ? (colorsUsed ? colorsUsed : 1u << m_bpp) : 0;
        if (paletteCount > 256)
            return false;
        size_t palette = headerSize + (compression == 3 ? 12 : 0);
        size_t xorStart = palette + paletteCount * 4;
        size_t xorStride = (size_t(width) * m_bpp + 31) / 32 * 4;
        size_t andStart = xorStart + xorStride * size_t(height);
        size_t andStride = (size_t(width) + 31) / 32 * 4;
        if (andStart > m_size)
            return false;
        bool haveMask = andStart + andStride * size_t(height) <= m_size;

        out.width = width;
        out.height = height;
        out.argb.assign(size_t(width) * size_t(height), 0);
        bool anyAlpha = false;
        for (int row = 0; row < height; ++row) {
            const uint8_t* in = m_data + xorStart + xorStride * size_t(row);
            uint32_t* line = out.argb.data() + size_t(height - 1 - row) * size_t(width);
            for (int x = 0; x < width; ++x) {
                uint32_t p = pixel(in, x, palette, paletteCount);
                anyAlpha = anyAlpha || (p >> 24) != 0;
                line[x] = p;
            }
        }
        if (anyAlpha)
            return true;  // 32-bit images carry their own transparency
        if (!haveMask)
            return false;
        for (int row = 0; row < height; ++row) {
            const uint8_t* mask = m_data + andStart + andStride * size_t(row);
            uint32_t* line = out.argb.data() + size_t(height - 1 - row) * size_t(width);
            for (int x = 0; x < width; ++x) {
                bool transparent = mask[x >> 3] & (0x80 >> (x & 7));
                line[x] = (line[x] & 0x00FFFFFFu) | (transparent ? 0u : 0xFF000000u);
            }
        }
        return true;
    }

private:
    uint32_t pixel(const uint8_t* row, int x, size_t palette, size_t paletteCount) const
    {
        switch (m_bpp) {
        case 32: {
            const uint8_t* p = row + size_t(x) * 4;
            return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        }
        case 24: {
            const uint8_t* p = row + size_t(x) * 3;
            return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        }
        default: {
            int perByte = 8 / m_bpp;
            int shift = (perByte - 1 - x % perByte) * m_bpp;
            size_t index = (row[x / perByte] >> shift) & ((1 << m_bpp) - 1);
            if (index >= paletteCount)
                return 0;
            const uint8_t* c = m_data + palette + index * 4;
            return uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16;
        }
        }
    }

    const uint8_t* m_data;
    size_t m_size;
    int m_bpp = 0;
};

}  // namespace

bool DecodeIco(const uint8_t* data, size_t size, Image& out)
{
    Entry entry;
    if (!ChooseEntry(data, size, entry))
        return false;
    const uint8_t* payload = data + entry.offset;
    if (entry.size >= 8 && std::memcmp(payload, kPngSignature, 8) == 0)
        return DecodePng(payload, entry.size, out);
    return DibReader(payload, entry.size).decode(out);
}

}  // namespace gdi
