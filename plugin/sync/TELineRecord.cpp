#include "sync/TELineRecord.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "blocks/CTrackObject.h"
#include "lines/CLineItem.h"
#include "sync/TERecordTokens.h"

namespace {

// The colour of a line whose colour token cannot be read.
constexpr COLORREF kUnreadableColour = 0xff000000;

template <size_t N>
std::string_view FieldText(const char (&field)[N])
{
    return std::string_view(field, strnlen(field, N));
}

template <size_t N>
std::string_view FieldText(const CBoundedText<N>& field)
{
    return std::string_view(field.c_str(), field.length());
}

template <size_t N>
void CopyCut(char (&field)[N], std::string_view text)
{
    size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

void AppendToken(std::string& text, std::string_view token)
{
    text += token;
    text += ' ';
}

void AppendPoint(std::string& text, POINT pt)
{
    char token[32];
    std::snprintf(token, sizeof token, "%d,%d ", static_cast<int>(pt.x), static_cast<int>(pt.y));
    text += token;
}

std::string Anchor(std::string_view object, const char* pszPin, int nIndex)
{
    std::string token(object);
    token += '.';
    token += pszPin;
    token += std::to_string(nIndex);
    return token;
}

// ---- reading ----------------------------------------------------------------

enum AnchorKind { ANCHOR_UNKNOWN, ANCHOR_INPUT, ANCHOR_OUTPUT, ANCHOR_NODE };

struct ParsedAnchor {
    AnchorKind nKind = ANCHOR_UNKNOWN;
    std::string strObject;
    int nIndex = 0;
};

ParsedAnchor ParseAnchor(std::string_view token)
{
    struct Suffix {
        const char* pszWord;
        AnchorKind nKind;
    };
    static constexpr Suffix kSuffixes[] = {
        {"In", ANCHOR_INPUT}, {"Out", ANCHOR_OUTPUT}, {"Node", ANCHOR_NODE}};

    // No block has this many pins, nor a line this many points; a larger
    // index names nothing, and an output index must stay clear of the top
    // of int once the output base is added.
    constexpr int kMaxAnchorIndex = 1 << 20;
    size_t point = token.find('.');
    ParsedAnchor anchor;
    anchor.strObject.assign(token.substr(0, point));
    std::string_view suffix = token.substr(point + 1);
    for (const Suffix& s : kSuffixes) {
        std::string_view word(s.pszWord);
        int n = 0;
        // Pin and point indices are never negative.
        if (suffix.starts_with(word) && TEParseInt(suffix.substr(word.size()), &n) && n >= 0 &&
            n <= kMaxAnchorIndex) {
            anchor.nKind = s.nKind;
            anchor.nIndex = n;
            break;
        }
    }
    return anchor;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "0x" and at least one hexadecimal digit; reading stops at the first other
// character.
COLORREF ReadColour(std::string_view token)
{
    if (!token.starts_with("0x"))
        return kUnreadableColour;
    uint64_t value = 0;
    size_t nDigits = 0;
    for (char c : token.substr(2)) {
        int digit = HexDigit(c);
        if (digit < 0)
            break;
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX)
            return kUnreadableColour;
        nDigits++;
    }
    return nDigits > 0 ? static_cast<COLORREF>(value) : kUnreadableColour;
}

class CLineRecordReader {
public:
    explicit CLineRecordReader(CTERecordLookup& lookup) : m_lookup(lookup), m_pLine(new CLineItem) {}

    std::unique_ptr<CLineItem> Read(std::string_view record)
    {
        m_pLine->m_nDirection = LINE_DIRECTION_FROM_SOURCE;
        for (std::string_view token : TESplitRecord(record))
            ReadToken(token);
        if (m_pLine->IsClosed())
            return nullptr;
        m_pLine->m_nDirection = DirectionFromAnchors();
        return std::move(m_pLine);
    }

private:
    // A line drawn from an input pin is written with that input as its head
    // and its output (or node) as its tail; read as drawn from the output,
    // it would attach to nothing and its next record would lose both ends.
    int DirectionFromAnchors() const
    {
        auto outputSide = [](int nKind) { return nKind == ANCHOR_OUTPUT || nKind == ANCHOR_NODE; };
        if (m_nFirstKind == ANCHOR_INPUT || (outputSide(m_nLastKind) && !outputSide(m_nFirstKind)))
            return LINE_DIRECTION_FROM_TARGET;
        return LINE_DIRECTION_FROM_SOURCE;
    }

    // The kinds of the first and the last position of the record (a plain
    // point counts as ANCHOR_UNKNOWN).
    void NotePosition(AnchorKind nKind)
    {
        if (m_nPositions++ == 0)
            m_nFirstKind = nKind;
        m_nLastKind = nKind;
    }

    void ReadToken(std::string_view token)
    {
        if (token.find('.') != std::string_view::npos)
            AddPoint(ReadAnchor(token));
        else if (token.find("Line_") != std::string_view::npos)
            CopyCut(m_pLine->m_szName, token);
        else if (token.find('x') != std::string_view::npos)
            m_pLine->SetColor(ReadColour(token));
        else {
            NotePosition(ANCHOR_UNKNOWN);
            AddPoint(ReadPoint(token));
        }
    }

    // Keeps the anchor text for connecting and answers the point it names.
    CPoint ReadAnchor(std::string_view token)
    {
        CLineItem& line = *m_pLine;
        ParsedAnchor anchor = ParseAnchor(token);
        NotePosition(anchor.nKind);
        switch (anchor.nKind) {
        case ANCHOR_INPUT:
            CopyCut(line.m_szTargetPin, token);
            line.m_nTargetPin = anchor.nIndex;
            return PinPoint(anchor, PIN_SIDE_INPUT);
        case ANCHOR_OUTPUT:
            CopyCut(line.m_szSourcePin, token);
            line.m_nSourcePin = PIN_OUTPUT_BASE + anchor.nIndex;
            return PinPoint(anchor, PIN_SIDE_OUTPUT);
        case ANCHOR_NODE:
            CopyCut(line.m_szSourcePin, token);
            return NodePoint(anchor);
        case ANCHOR_UNKNOWN:
            break;
        }
        return CPoint(0, 0);
    }

    CPoint PinPoint(const ParsedAnchor& anchor, int nSide)
    {
        POINT pt = {0, 0};
        CTrackObject* pBlock = m_lookup.FindBlock(anchor.strObject.c_str());
        if (pBlock != nullptr && pBlock->GetPinPoint(nSide, static_cast<UINT>(anchor.nIndex), &pt) != 1)
            pt = {0, 0};
        return CPoint(pt);
    }

    CPoint NodePoint(const ParsedAnchor& anchor)
    {
        CLineItem* pParent = m_lookup.FindLine(anchor.strObject.c_str());
        if (pParent == nullptr)
            return CPoint(0, 0);
        m_pLine->m_pParent = pParent;
        m_pLine->m_nNode = anchor.nIndex;
        return anchor.nIndex < pParent->m_nPoints ? pParent->m_points[anchor.nIndex] : CPoint(0, 0);
    }

    CPoint ReadPoint(std::string_view token)
    {
        int x = 0;
        int y = 0;
        if (!TEParsePoint(token, &x, &y))
            return m_previous;
        return CPoint(x, y);
    }

    void AddPoint(CPoint pt)
    {
        m_previous = pt;
        m_pLine->AddPoint(pt.x, pt.y);  // points past the last slot are dropped
    }

    CTERecordLookup& m_lookup;
    std::unique_ptr<CLineItem> m_pLine;
    CPoint m_previous;
    int m_nPositions = 0;
    AnchorKind m_nFirstKind = ANCHOR_UNKNOWN;
    AnchorKind m_nLastKind = ANCHOR_UNKNOWN;
};

}  // namespace

std::string TEFormatLineRecord(const CLineItem& line)
{
    std::string node, source, target;
    if (line.m_pParent != nullptr && line.m_nNode > 0)
        node = Anchor(FieldText(line.m_pParent->m_szName), "Node", line.m_nNode);
    if (line.m_pSource != nullptr && line.m_nSourcePin >= 0)
        source = Anchor(FieldText(line.m_pSource->m_szName), "Out", line.m_nSourcePin - PIN_OUTPUT_BASE);
    if (line.m_pTarget != nullptr && line.m_nTargetPin >= 0)
        target = Anchor(FieldText(line.m_pTarget->m_szName), "In", line.m_nTargetPin);
    // An end read from the device that attaches to nothing here (its block
    // lacks that pin, or is not there) keeps the anchor it was read with, so
    // that a change of its bends does not rewrite the device's line.
    if (line.m_pSource == nullptr && line.m_pParent == nullptr)
        source = FieldText(line.m_szSourcePin);
    if (line.m_pTarget == nullptr)
        target = FieldText(line.m_szTargetPin);

    const std::string& nodeOrSource = node.empty() ? source : node;
    std::string head, tail;
    int nFirst = 0;
    int nEnd = line.m_nPoints;
    if (line.m_nDirection == LINE_DIRECTION_FROM_SOURCE) {
        head = nodeOrSource;
        tail = target;
    } else if (line.m_nDirection == LINE_DIRECTION_FROM_TARGET) {
        head = target;
        tail = nodeOrSource;
    }
    // An anchor stands for the end point that lies on it. An end without
    // one (a line whose block or parent line is gone) keeps its point, or
    // each record sent would cut the line shorter.
    if (!head.empty())
        nFirst = 1;
    if (!tail.empty())
        nEnd--;

    std::string text;
    text.reserve(64 + 24 * static_cast<size_t>(line.m_nPoints));
    AppendToken(text, FieldText(line.m_szName));
    if (!head.empty())
        AppendToken(text, head);
    for (int i = nFirst; i < nEnd; i++)
        AppendPoint(text, line.m_points[i]);
    if (!tail.empty())
        AppendToken(text, tail);
    char colour[16];
    std::snprintf(colour, sizeof colour, "0x%08x", static_cast<unsigned>(line.m_color));
    AppendToken(text, colour);
    return text;
}

CLineItem* TEReadLineRecord(const char* pszRecord, CTERecordLookup& lookup)
{
    if (pszRecord == nullptr)
        return nullptr;
    return CLineRecordReader(lookup).Read(pszRecord).release();
}
