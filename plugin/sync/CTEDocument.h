// The task-engine document: the blocks and lines of the edited program, kept
// equal to the program on the device. It owns every block and line in its
// lists. It reaches the device through the main dialog's request channels
// and its page through CTEPageLink.
//
// Nothing the user does is lost to the device's silence: a change the device
// does not take (it does not answer) waits and is sent on the first tick on
// which the device answers again, and a device that does not answer is never
// taken for an empty program. On every tick in which the device answers, the
// document sends what waits, then compares the device's records with what it
// knows the device holds (TEDeviceMirror); only a difference, made by someone
// else, replaces the local blocks or lines with the device's. While it
// rebuilds (the loading flag) it announces nothing to the device.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "afxtempl.h"
#include "atltypes.h"
#include "Corvala.h"
#include "shell/TEChannels.h"
#include "sync/TEDeviceMirror.h"
#include "sync/TEMirroredDevices.h"

class CTrackObject;
class CTETrackObject;
class CLineItem;
class CTEPageLink;
class CMainDlgHost;
class CTEReloadIndex;

// Block positions the document takes from the device or the canvas. Far
// beyond any canvas, yet far from the ends of the coordinate range, so that
// a block's rectangle, its pins and the lines on them never overflow.
constexpr int TE_MAX_CANVAS_COORD = 1 << 24;

class CTEDocument {
public:
    CTEDocument();
    // Frees every block and line (Clear).
    ~CTEDocument();
    CTEDocument(const CTEDocument&) = delete;
    CTEDocument& operator=(const CTEDocument&) = delete;

    void SetPage(CTEPageLink* pPage) { m_pPage = pPage; }
    void SetDialog(CMainDlgHost* pDialog) { m_pDialog = pDialog; }

    // ---- Blocks ----
    // Creates a block from a type key at (x, y) (both negative: placed on
    // the page by itself, clear of the other blocks), announces it with
    // TESetProc unless loading, builds its live-value channels and lists it.
    // nIndex is its place in the display list (-1, or any index past the
    // end: on top). pszName, when given, is the wanted name and receives
    // the final one; it must hold HOSTINFO_NAME_SIZE bytes. nWidth and
    // nHeight are not used: every kind sizes itself. Answers the block's
    // index in the block list, or -1 for an unknown key, a position beyond
    // TE_MAX_CANVAS_COORD or a block that cannot be built.
    int CreateBlock(const char* pszTypeKey, int x, int y, int nWidth, int nHeight, char* pszName, int nIndex);
    // Takes the block out of both lists, tells the device (DelTEProc) unless
    // loading, and frees it. Lines stay: the canvas deletes a block's lines
    // itself; those still referring to the block forget it. 1, or 0 for null
    // or a block the document does not hold (it is then left alone).
    int DeleteBlock(CTrackObject* pBlock);

    // ---- Lines ----
    // Detaches the line from its blocks. A line of the line list is then
    // removed, announced with DelTELine unless loading, and freed; its
    // branches become plain lines. 1 when it was removed and announced,
    // else 0 (a line the document does not hold is only detached).
    int DeleteLine(CLineItem* pLine);
    // Finds the blocks under the line's end points, walking the block list
    // in order (the anchor texts name the blocks a read line belongs to),
    // and connects the line to them with ConnectLineTo. -1 when the line
    // already has a source or target block.
    int ConnectLine(CLineItem* pLine);
    // Attaches the first point to a pin of pA and the last to a pin of pB
    // and, unless loading, announces the line with TESetLine and takes the
    // name the device gives it. 1 when connected. 0 when refused: nothing
    // changes for a block joined to itself by fewer than three points or
    // missing ends (without a parent line); the line is marked invalid for
    // a node line off a calibrated input or a second line from a calibrated
    // input's output. No refusal sends anything or leaves the line in a pin.
    int ConnectLineTo(CTrackObject* pA, CTrackObject* pB, CLineItem* pLine);

    // ---- Mirroring the device ----
    // Reads both counts; when the device does not answer, keeps everything
    // and waits. Otherwise sends what waits (deletes, new blocks, new lines,
    // moves, changed lines), reads the device's records and rebuilds what
    // someone else changed (after a block rebuild the lines too, which lost
    // their blocks), and polls every block's live values.
    void Tick();
    // Replace the blocks or the lines with those of the device's records,
    // sending nothing, and take the records as what the device holds.
    // Records that cannot be read are skipped (the device keeps them; they
    // are not shown). Positions beyond TE_MAX_CANVAS_COORD are clamped, and
    // blocks without a position placed; both are sent on the next tick.
    void ReloadBlocks(STRINGLIST* pRecords);
    void ReloadLines(STRINGLIST* pRecords);
    // Frees every block and line and empties the three lists.
    void Clear();

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
    // The first block of the block list with that name, or null.
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

    // ---- What the user is told ----
    // One line for the canvas: the device not answering, changes waiting
    // to be sent, or a change made by another editor; empty when all is
    // well. The page hears of each change (CTEPageLink::OnSyncNoticeChanged);
    // each also goes to the dialog's trace window.
    const std::string& GetSyncNotice() const { return m_strNotice; }
    BOOL IsDeviceSilent() const { return m_bDeviceSilent; }
    // Changes the device has not taken yet.
    int CountWaitingEdits() const;
    // Of a "connection" naming several devices: those that missed changes
    // and wait to be brought into line.
    std::vector<std::string> DevicesBehind() const { return m_Devices.BehindNames(); }
    // Writes a block's link text ("function" or "connection") to each device
    // of a connection that names several, so that one that misses it is
    // brought into line later. False, with nothing sent, when the connection
    // names one device: the block's own channel serves it.
    bool WriteMirroredLink(const char* pszBlock, const char* pszItem, const char* pszText, int* pStatus);

    // ---- Data, in its native order ----
    BYTE m_bLoading = FALSE;  // rebuilding from the device: announce nothing
    CArray<CTrackObject*, CTrackObject*> m_BlockList;    // creation order
    CArray<CTrackObject*, CTrackObject*> m_DisplayList;  // painting order, last on top
    CArray<CLineItem*, CLineItem*> m_LineList;
    CTEPageLink* m_pPage = nullptr;
    CMainDlgHost* m_pDialog = nullptr;

private:
    class CLoadingScope;
    class CLineLookup;

    // Sets bit 0 of the page's host record flags: the program changed.
    void MarkModified();
    void InvalidateCanvas(RECT rc);

    // Requests on the dialog's channels; without a dialog nothing is sent and
    // reads keep their start values. A text that does not fit a request
    // buffer is not sent (status 0). A write the device took is applied to
    // the mirror of the device.
    int SendText(TEChannel channel, const std::string& text, std::string* pAnswer = nullptr);
    // Both answer whether the device answered.
    bool ReadCount(TEChannel channel, int* pCount);
    bool ReadRecords(TEChannel channel, STRINGLIST* pRecords);
    // The device's program version, or nothing from a device that does not
    // keep one (it is then compared on every tick) or does not answer.
    std::optional<int> ReadProgramVersion();
    // The version the device shows when nobody else changed its program
    // since the last full compare: the one read before that compare, moved
    // on by one for each change the device took from this editor since.
    int ExpectedProgramVersion() const;
    // TESafeProcName; false when no device answered (the text is then
    // left as it was).
    bool AskSafeName(char* pszText);
    // A name no block of this document has, counting on from the trailing
    // number of pszBase, for when the device cannot be asked.
    std::string LocalFreeName(const char* pszBase) const;
    void RenameBlock(CTETrackObject* pBlock, const char* pszName);

    // Block creation steps.
    CTETrackObject* ConstructBlock(const char* pszTypeKey, int x, int y, const char* pszWanted);
    void PlaceBlock(CTrackObject* pBlock);
    CTrackObject* FirstBlockMeeting(const RECT& rc) const;

    // Free every block (or line) at once, as deleting each would while
    // loading; answer the canvas area they covered.
    CRect FreeAllBlocks();
    CRect FreeAllLines();
    static CRect BlockArea(const CTrackObject* pBlock);
    // Lines that still refer to a freed block forget it.
    void ForgetBlock(const CTrackObject* pBlock);
    static void DetachLine(CLineItem* pLine);
    static void OrphanBranch(CLineItem* pBranch);

    // Sends the block's proc record; when the device takes it under no
    // name of its own, settles a free name with the device and tries once
    // more. A block the device does not take waits (m_UnsentBlocks).
    bool AnnounceBlock(CTETrackObject* pBlock, const std::string& strTypeKey);
    // Sends the line's record and gives the line the name the device
    // answered; a line the device does not take waits (m_UnsentLines).
    bool AnnounceLine(CLineItem* pLine);
    // Tells the device of a delete, or keeps it for later. False when the
    // device no longer holds the record as this editor knew it (another
    // editor replaced or changed it): nothing is deleted there, and the next
    // tick shows the device's record again.
    bool AnnounceDelete(TEChannel channel, const char* pszName);
    // Sends a delete text unless the record it names changed on the device
    // since this editor last saw it; -1 for such a stale delete, else the
    // request's status.
    int SendDelete(TEChannel channel, const std::string& text);
    static constexpr int kStaleDelete = -1;
    // Whether the device holds the named record (a block for TE_DELPROC, a
    // line for TE_DELLINE) as the editor knows it. Asks the device's version
    // first, and reads the records only when someone else changed the
    // program; true when the device keeps no version.
    bool DeviceHoldsAsKnown(TEChannel channel, const std::string& name);

    // The tick's steps.
    // Nothing to read: the device's version is the one of the last full
    // compare, this editor changed nothing since, and nothing waits.
    bool IsQuietTick(const std::optional<int>& version) const;
    // Reads both lists, takes them as seen at `version`, and rebuilds what
    // someone else changed. False when the device did not answer.
    bool CompareWithDevice(const std::optional<int>& version);
    void CountDownChangedNotice();
    void SendWaitingEdits();
    // Devices of the connection that missed changes and answer again are
    // brought into line; false while one that answers still is not.
    bool BringDevicesIntoLine();
    void SendMoves();
    void SendModifiedLines();
    void PollValues();
    // After the device answered its lists: what it still did not take, it
    // refused; the user hears of it. Answers whether the editor now shows
    // something the device does not hold.
    bool DropRefusedEdits();
    void ForgetUnsent();

    // What the user is told (see GetSyncNotice).
    void Trace(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    void OnDeviceSilent();
    void OnDeviceAnswering();
    void UpdateNotice();

    // While a reload runs: names and places of the blocks and lines so far.
    std::unique_ptr<CTEReloadIndex> m_pReloadIndex;

    // The device's program as this editor knows it.
    CTEDeviceMirror m_Mirror;
    // The device's program version read before the last full compare, and
    // the changes of the program the device took from this editor since.
    std::optional<int> m_nComparedVersion;
    unsigned m_nOwnChanges = 0;
    // The connection's devices one by one, when it names several.
    CTEMirroredDevices m_Devices;
    std::unordered_set<std::string> m_DevicesReportedApart;
    // Changes the device has not taken yet: new blocks (with their type
    // keys), new lines, deletes (channel and name). Moves and changed lines
    // wait in the blocks' m_bMoved and the lines' m_bModified.
    std::unordered_map<const CTrackObject*, std::string> m_UnsentBlocks;
    std::unordered_set<const CLineItem*> m_UnsentLines;
    std::vector<std::pair<TEChannel, std::string>> m_WaitingDeletes;

    // Blocks this editor deleted, by name, until a block of that name is
    // made again: lines of another editor that still anchor on one of them
    // on the device went with the block, and are deleted when seen.
    std::unordered_set<std::string> m_DeletedBlockNames;
    void DeleteLinesOfDeletedBlocks(const STRINGLIST& records);
    // A block of a name that line records on the device anchor on was made
    // or deleted here: those lines attach differently now, and are read
    // again on the next tick, as any editor reading them afresh would.
    bool m_bLinesStale = false;
    BOOL m_bDeviceSilent = FALSE;
    bool m_bProgramRead = false;   // the device's lists were read once
    int m_nChangedTicks = 0;       // ticks the notice of another editor's change stays
    std::string m_strNotice;
};
