// Raster operations. A binary operation with a known source colour reduces
// to two masks, dst = (dst & andMask) ^ xorMask, so one inner loop serves
// copy, invert, XOR and masking. Ternary operations are evaluated bitwise
// from their 8-bit truth table.
#pragma once

#include <cstdint>

namespace gdi {

struct RopMasks {
    uint32_t andMask = 0;
    uint32_t xorMask = 0;
    uint32_t apply(uint32_t dst) const { return ((dst & andMask) ^ xorMask) & 0x00FFFFFFu; }
};

// Masks of binary raster operation `rop2` (R2_BLACK .. R2_WHITE) for a pen
// or brush pixel.
RopMasks Rop2Masks(int rop2, uint32_t pen);

// Ternary raster operation index (bits 16..23 of the code) applied to
// pattern, source and destination words.
uint32_t TernaryRop(uint8_t index, uint32_t pattern, uint32_t source, uint32_t dest);

inline uint8_t RopIndex(uint32_t code) { return uint8_t((code >> 16) & 0xFF); }
inline bool RopUsesPattern(uint8_t i) { return ((i >> 4) & 0x0F) != (i & 0x0F); }
inline bool RopUsesSource(uint8_t i) { return ((i >> 2) & 0x33) != (i & 0x33); }

}  // namespace gdi
