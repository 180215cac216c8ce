#include "blocks/SolidTools.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr size_t kMaxSharedColours = 64;

BOOL MakeSolid(CPen* pPen, COLORREF color) { return pPen->CreatePen(PS_SOLID, 1, color); }
BOOL MakeSolid(CBrush* pBrush, COLORREF color) { return pBrush->CreateSolidBrush(color); }

// The kept object of the colour, made now if there is room; null when the
// list is full or the object could not be made. A short list walked in
// order, since blocks use few colours.
template <class T>
T* FindShared(COLORREF color)
{
    static std::vector<std::pair<COLORREF, std::unique_ptr<T>>> kept;
    for (auto& entry : kept) {
        if (entry.first == color)
            return entry.second.get();
    }
    if (kept.size() >= kMaxSharedColours)
        return nullptr;
    auto pObject = std::make_unique<T>();
    if (!MakeSolid(pObject.get(), color))
        return nullptr;
    kept.emplace_back(color, std::move(pObject));
    return kept.back().second.get();
}

}  // namespace

template <class T>
CSolidTool<T>::CSolidTool(COLORREF color) : m_pShared(FindShared<T>(color))
{
    if (m_pShared == nullptr && !MakeSolid(&m_Own, color))
        AfxThrowResourceException();
}

template class CSolidTool<CPen>;
template class CSolidTool<CBrush>;
