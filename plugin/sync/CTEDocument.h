// The task-engine document: the blocks and lines of the edited program, kept
// equal to the program on the device. It owns every block and line in its
// lists. It reaches the device through the main dialog's request channels
// and its page through CTEPageLink.
#pragma once

#include "afxtempl.h"
#include "Corvala.h"

class CTrackObject;
class CTETrackObject;
class CLineItem;
class CTEPageLink;
class CMainDlgHost;

class CTEDocument {
public:
    CTEDocument() = default;
    CTEDocument(const CTEDocument&) = delete;
    CTEDocument& operator=(const CTEDocument&) = delete;

    void SetPage(CTEPageLink* pPage) { m_pPage = pPage; }
    void SetDialog(CMainDlgHost* pDialog) { m_pDialog = pDialog; }

    // ---- Names ----
    // Asks the device for a free block name close to `text` (TESafeProcName)
    // and answers it. The answer lives in one buffer of the module, valid until
    // the next call; without a device it holds `text` unchanged.
    char* SafeProcName(const char* text);
    // The block name rule. `pszName` holds a kind's default name in a buffer of
    // HOSTINFO_NAME_SIZE bytes and receives the final name: the wanted name
    // when one is given and no block has it yet, otherwise the name the device
    // settles for the wanted name (or for the default name when none is given).
    void SettleBlockName(char* pszName, const char* pszWanted);
    // The block of the block list with that name, or null.
    CTrackObject* FindBlock(const char* pszName) const;

    // ---- The block's side of the device ----
    // Adds the block's "TE.<name>.function", ".connection", ".online" and
    // ".Value" keywords to its lists and builds their requests for every
    // device of the dialog. FALSE without a dialog.
    BOOL BuildBlockChannels(CTETrackObject* pBlock);
    // The dialog's device names; null without a dialog.
    STRINGLIST* DeviceNames() const;
    // The dialog's window text into a buffer of cbText bytes (empty without a
    // dialog window); answers its length.
    int GetDialogText(char* pszText, int cbText) const;
    // The page's host record, the parent of every block's record; null
    // without a page.
    HOSTINFO* PageRecord() const;

    // ---- Data, in its native order ----
    BYTE m_bLoading = FALSE;  // rebuilding from the device: announce nothing
    CArray<CTrackObject*, CTrackObject*> m_BlockList;    // creation order
    CArray<CTrackObject*, CTrackObject*> m_DisplayList;  // painting order, last on top
    CArray<CLineItem*, CLineItem*> m_LineList;
    CTEPageLink* m_pPage = nullptr;
    CMainDlgHost* m_pDialog = nullptr;
};
