// The base of the five task-engine blocks: a canvas object that is also a
// host object (HOSTINFO), mirroring one block of the device's program. It
// carries the block's device link (connection and function texts), its live
// value and the four channels that read and write them, draws the frame every
// block shares and answers the tooltip.
#pragma once

#include <memory>

#include "blocks/BoundedText.h"
#include "blocks/CTrackObject.h"

class CTEDocument;

// Kind codes (m_nKind).
constexpr int TE_KIND_FUNCTION = 0;
constexpr int TE_KIND_INPUT = 1;  // input and clock blocks
constexpr int TE_KIND_CALINPUT = 3;
constexpr int TE_KIND_OUTPUT = 17;

// Every task-engine block has this object type.
constexpr int TE_OBJECT_TYPE = 10;

// Size of the block's text fields: they hold at most TE_TEXT_SIZE - 1
// characters.
constexpr int TE_TEXT_SIZE = 4096;
using CTEText = CBoundedText<TE_TEXT_SIZE>;

class CTETrackObject : public CTrackObject, public HOSTINFO {
    DECLARE_DYNAMIC(CTETrackObject)
public:
    // A block of 60 x 20 at (x, y); the kind constructors finish it with
    // InitializeBlock.
    CTETrackObject(int x, int y, UINT nInputs, UINT nOutputs, int nKind);
    ~CTETrackObject() override;

    // ---- Virtual operations added, in table order ----
    // Opens or raises the block's property window; its handle or null.
    virtual HWND ShowPropertyWindow(HOSTINFO* pOwner) = 0;
    // Write the function or connection text to the device. 1 when the text is
    // taken and not empty; 0 when the device refused (nothing changes) or
    // the text is empty (the link is then unassigned).
    virtual int SetFunction(const char* text);
    virtual int SetConnection(const char* text);
    virtual int IsNamed(const char* name);

    // ---- Overrides of CTrackObject ----
    void LayoutPins() override;
    void OnDoubleClick(UINT nFlags, HOSTINFO* pOwner) override;
    void DrawPins(CDC* pDC, BOOL bLabels) override;
    BOOL HasTooltip() override;
    int GetTooltipText(char* dst) override;

    // ---- Fields, in their native order ----
    int m_nKind;
    CTEText m_szText;            // clock caption, operator symbol
    CTEText m_szFullConnection;  // "connection.function"; empty when unassigned
    CTEText m_szConnection;
    CTEText m_szFunction;
    std::unique_ptr<STRINGLIST> m_pConnectionKeywords;
    std::unique_ptr<REQUESTLIST> m_pConnectionRequests;
    std::unique_ptr<STRINGLIST> m_pFunctionKeywords;
    std::unique_ptr<REQUESTLIST> m_pFunctionRequests;
    std::unique_ptr<STRINGLIST> m_pOnlineKeywords;  // built and released, never sent
    std::unique_ptr<REQUESTLIST> m_pOnlineRequests;
    std::unique_ptr<STRINGLIST> m_pValueKeywords;
    std::unique_ptr<REQUESTLIST> m_pValueRequests;
    CTEDocument* m_pDocument = nullptr;
    float m_fValue = 0.0f;
    BYTE m_bAssigned = FALSE;  // both connection and function are set
    int m_nKindWord = 0;       // the input block's subtype
    COLORREF m_crPin = RGB(30, 30, 230);
    COLORREF m_crPinSpare[3] = {RGB(30, 30, 190), RGB(30, 230, 30), RGB(30, 190, 30)};

protected:
    // The steps every kind constructor takes: link the document, register
    // the host record below the page's, take the kind's size, settle the name
    // with the document and lay out the pins.
    void InitializeBlock(CTEDocument* pDocument, int nWidth, int nHeight, const char* pszDefaultName,
                         const char* pszWanted);

    // Draws the block: tracker frame, then the body with its caption (and
    // value text when not null) composed off-screen and copied in one piece,
    // then the pins on top. Positions are relative to the block.
    void DrawBlockFrame(CDC* pDC, const char* pszCaption, POINT ptCaption, const char* pszValue,
                        POINT ptValue);

    // Reads the live value. 1 when the device gave a value; 0 otherwise, and
    // *pChanged raised when the device reported the value changing.
    int ReadValue(BOOL* pChanged);
    // ReadValue, raising m_bDirty when it brought news: a value, or the
    // device's word that the value is changing.
    int ReadValueMarkingNews();
    // Reads connection and function back from the device and settles
    // whether the block is assigned.
    void RefreshLink();

private:
    int WriteLink(REQUESTLIST* pRequests, const char* pszItem, CTEText* pField, const char* text);
    // Reads a link text from the device into the field; a failed read leaves
    // it as it was.
    static void ReadLink(REQUESTLIST* pRequests, CTEText* pField);
    void ComposeFullConnection();
};
