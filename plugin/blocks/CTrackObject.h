// The base of every object on the task-engine canvas: a rectangle with input
// pins on its left edge and output pins on its right edge, a name, its
// colours and fonts, and its own tracker behaviour (selection frame, resize
// handles and their hit tests). Connection lines attach to the pins; each pin
// remembers its lines. The object tracker keeps these objects in an ordered
// array, paints them and asks them what lies under the mouse.
#pragma once

#include <memory>

#include "afxwin.h"
#include "Corvala.h"
#include "blocks/BoundedText.h"
#include "blocks/TrackPin.h"

class CLineItem;

// Tracker style flags (m_nTrackStyle).
constexpr UINT STYLE_SOLID = 1;
constexpr UINT STYLE_DOTTED = 2;
constexpr UINT STYLE_HATCH_BORDER = 4;
constexpr UINT STYLE_HANDLES_INSIDE = 8;
constexpr UINT STYLE_HANDLES_OUTSIDE = 16;
constexpr UINT STYLE_HATCH_INSIDE = 32;
constexpr UINT STYLE_COLORED = 64;

// Handle hit codes: 0 to 7 are the handles (corners clockwise from the top
// left, then the middles of the top, right, bottom and left edges).
constexpr int HIT_NONE = -1;
constexpr int HIT_TOPLEFT = 0;
constexpr int HIT_TOPRIGHT = 1;
constexpr int HIT_BOTTOMRIGHT = 2;
constexpr int HIT_BOTTOMLEFT = 3;
constexpr int HIT_TOP = 4;
constexpr int HIT_RIGHT = 5;
constexpr int HIT_BOTTOM = 6;
constexpr int HIT_LEFT = 7;
constexpr int HIT_BODY = 8;

// Pin hit codes of HitTestPin: 0 none, input pin i gives i + 1, output pin j
// gives PIN_HIT_OUTPUT + j.
constexpr int PIN_HIT_NONE = 0;
constexpr int PIN_HIT_OUTPUT = 501;
// More pins on one side would make input and output codes collide.
constexpr UINT TRACK_MAX_PINS = 500;

// GetPinPoint sides.
constexpr int PIN_SIDE_INPUT = 0;
constexpr int PIN_SIDE_OUTPUT = 1;

// Objects of this type may fill all line slots of a pin.
constexpr int TRACK_TYPE_WIDE_PINS = 5;

// The five fonts every object holds (m_hFonts), in that order.
enum TrackFont { FONT_SANS_8, FONT_SMALL_4, FONT_SMALL_5, FONT_SMALL_6, FONT_SMALL_7, TRACK_FONT_COUNT };

constexpr int TRACK_NAME_SIZE = 1024;

class CTrackObject : public CObject {
    DECLARE_DYNAMIC(CTrackObject)
public:
    // An object of 120 x 60 at (x, y) with the given pin counts; pins are laid
    // out by the derived constructors. More than TRACK_MAX_PINS pins on a
    // side raise the invalid-argument exception.
    CTrackObject(int x, int y, UINT nInputs, UINT nOutputs, int nObjectType);
    // Lines still attached forget this object as their source or target.
    ~CTrackObject() override;

    // ---- Virtual operations, in table order ----
    // Selection frame and handles; nothing unless m_bSelected.
    virtual void DrawTracker(CDC* pDC);
    virtual void LayoutPins();
    // Double click on the object, or the Open command of its context menu.
    virtual void OnDoubleClick(UINT nFlags, HOSTINFO* pOwner) = 0;
    virtual void OnMouseMove(UINT nFlags, int x, int y);
    virtual void Draw(CDC* pDC) = 0;
    // Body fill and raised frame with the object's top-left corner at the DC
    // origin (an off-screen bitmap of the object's size).
    virtual void DrawBody(CDC* pDC);
    // Pin squares and, with bLabels, their labels, in canvas coordinates.
    virtual void DrawPins(CDC* pDC, BOOL bLabels);
    // The pin code under *pt (PIN_HIT_*); a hit moves *pt to the pin centre.
    virtual int HitTestPin(POINT* pt);
    // Frees every pin slot that holds the line; TRUE when one did.
    virtual BOOL RemoveLine(CLineItem* pLine);
    // Where a line meets pin `index` of `side`: 1 with *pt set, -1 for an index
    // past the pins of that side, 0 for an unknown side (*pt is (0,0) then).
    virtual int GetPinPoint(int side, UINT index, POINT* pt);
    // Reads the object's live values; 0 here.
    virtual int RefreshValues();
    virtual void GetTypeName(char* dst);
    virtual BOOL HasContextMenu();
    virtual BOOL CanShowProperties();
    virtual void AddContextMenuItems(CMenu* pMenu);
    // 0 when the command is left to the view.
    virtual int OnContextCommand(UINT nID);
    virtual BOOL HasTooltip();
    // Writes the tooltip text into a buffer of 4096 bytes; 0 when there is none.
    virtual int GetTooltipText(char* dst);
    // Bits 0 to 7: the handles that are shown (by code).
    virtual UINT HandleMask();
    // The handle size that fits rectangle r (m_rcPos when null).
    virtual int EffectiveHandleSize(const RECT* r = nullptr);

    // ---- Position and name ----
    void SetPosition(int left, int top, int right, int bottom);
    void SetPosition(const RECT& rc);
    // Keeps the top-left corner; never smaller than m_sizeLimit.
    void SetSize(SIZE size);
    void GetName(char* dst) const;

    // ---- Handle geometry ----
    CRect NormalizedRect() const;
    CRect OuterRect();
    CRect HandleRect(int nCode);
    // The code a handle has once the rectangle is flipped by tracking.
    int FlipHandleCode(int nCode) const;
    int HitHandles(POINT pt);
    // HIT_NONE, a handle code or HIT_BODY.
    int HitCode(POINT pt);

    // ---- Pins ----
    // Index of the first slot a new line may take, or -1.
    int FindFreeLineSlot(const TrackPin* pPin) const;
    static BOOL IsPinConnected(const TrackPin* pPin);

    // ---- Fields, in their native order ----
    CSize m_sizeLimit;
    std::unique_ptr<TrackPin[]> m_pInputs;
    std::unique_ptr<TrackPin[]> m_pOutputs;
    BOOL m_bSelected = FALSE;
    int m_nTrackerState[3] = {0, 1, 1};  // kept for the object tracker
    BOOL m_bDirty = TRUE;
    BYTE m_bMoved = FALSE;
    UINT m_nInputs;
    UINT m_nOutputs;
    CRect m_rcPos;
    int m_nHandlePixels = 6;
    UINT m_nTrackStyle = STYLE_COLORED;
    COLORREF m_crFrame = RGB(255, 0, 0);
    CBoundedText<TRACK_NAME_SIZE> m_szName{"ProcNoname_1"};
    HFONT m_hFonts[TRACK_FONT_COUNT] = {};  // from the host library, never deleted
    COLORREF m_crBody = RGB(156, 154, 156);
    COLORREF m_crSpare1 = RGB(204, 204, 204);
    COLORREF m_crInputPin = RGB(230, 230, 230);
    COLORREF m_crOutputPin = RGB(190, 190, 190);
    COLORREF m_crInputConnected = RGB(0, 30, 120);
    COLORREF m_crOutputConnected = RGB(0, 30, 120);
    COLORREF m_crSpare2 = 0;
    COLORREF m_crFrameLight = RGB(156, 158, 156);
    COLORREF m_crFrameHighlight = RGB(255, 255, 255);
    COLORREF m_crFrameShadow = RGB(0, 0, 0);
    COLORREF m_crFrameDarkShadow = RGB(74, 77, 74);
    COLORREF m_crSpare3 = RGB(249, 199, 0);
    COLORREF m_crPinBorder = RGB(0, 0, 0);
    COLORREF m_crSpare4 = RGB(255, 255, 255);
    COLORREF m_crText = RGB(0, 0, 0);
    int m_nObjectType;
    BYTE m_bSpare = 0;

protected:
    // The two passes per side of the pin drawing: free squares (and labels),
    // then connected squares on top.
    void DrawPinRows(CDC* pDC, BOOL bLabels, COLORREF crInputFree, COLORREF crOutputFree);
    // The hatch brush and dotted pen every object shares; created by the
    // first object and kept for the life of the module.
    static HBRUSH SharedHatchBrush();
    static HPEN SharedDottedPen();

private:
    void DrawPinSide(CDC* pDC, const TrackPin* pPins, UINT nPins, BOOL bLabels, BOOL bOutputs,
                     COLORREF crFree, COLORREF crConnected);
    void DrawHatchBorder(CDC* pDC, const CRect& rc);
    void ForgetLines(TrackPin* pPins, UINT nPins);
};
