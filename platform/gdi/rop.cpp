// Raster operation arithmetic.
#include "rop.h"

namespace gdi {

RopMasks Rop2Masks(int rop2, uint32_t pen)
{
    // Bit (2 * pen + dst) of (rop2 - 1) is the result for one bit pair. For
    // each pen bit value the operation is dst -> (dst & a) ^ x with
    // x = f(p, 0) and a = f(p, 0) ^ f(p, 1).
    unsigned table = unsigned(rop2 - 1) & 0x0F;
    auto f = [table](unsigned p, unsigned d) { return (table >> (2 * p + d)) & 1u ? 0xFFFFFFFFu : 0u; };
    uint32_t x0 = f(0, 0), a0 = f(0, 0) ^ f(0, 1);
    uint32_t x1 = f(1, 0), a1 = f(1, 0) ^ f(1, 1);
    RopMasks m;
    m.andMask = ((pen & a1) | (~pen & a0)) & 0x00FFFFFFu;
    m.xorMask = ((pen & x1) | (~pen & x0)) & 0x00FFFFFFu;
    return m;
}

uint32_t TernaryRop(uint8_t index, uint32_t p, uint32_t s, uint32_t d)
{
    // Bit (4 * P + 2 * S + D) of the index is the result for one bit triple.
    uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(index & (1u << i)))
            continue;
        uint32_t term = (i & 4 ? p : ~p) & (i & 2 ? s : ~s) & (i & 1 ? d : ~d);
        result |= term;
    }
    return result & 0x00FFFFFFu;
}

}  // namespace gdi
