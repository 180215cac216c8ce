// Corvala: the host library as a plug-in sees it.
//
// Host-visible objects derive from HOSTINFO; the host addresses them through
// its handler operations. Devices are reached only through request lists:
// a request list is built from a list of keywords and a list of device names
// and sent with a_SendRequest.
//
// Request semantics
// -----------------
// a_BuildRequestList appends one REQUESTITEM per distinct (keyword, device
// name) pair that the list does not hold yet, so building again with the same
// lists adds nothing. Items are appended keyword by keyword, in the order of
// the keyword list, each keyword's devices in the order of the device list.
// Building a list again from lists that were only appended to since reads
// just their new entries (see CorvalaLists.h), so a build costs what it adds.
// An item is resolved to a device link by its device name each time it is
// sent, so links registered after the build are used.
//
// a_SendRequest(list, mode, type, value, &status):
//  - mode 1 (read): the items are asked in list order; the first answering
//    with status 1 fills the value and ends the request with status 1.
//    Otherwise the status is the first nonzero status seen (2: "the value is
//    changing, ask again"), or 0, and the value is left untouched.
//  - mode 2 (write): the value goes to every item. Status 1 when at least one
//    device accepted, 0 when none did. When the first accepting device
//    answered a text (for example a line name for a new line), that text
//    replaces the caller's text; otherwise the caller's text is left as sent.
//  - An empty list, an unknown mode or type, or a null value: status 0,
//    nothing sent, value untouched.
//  - Type 5: value is an int*; 9: a double*; 11: a text buffer of at least
//    REQUEST_TEXT_SIZE bytes (at most 4095 characters are sent, an answer is
//    cut to 4095 characters and always terminated); 43: a STRINGLIST* to which
//    one malloc'ed entry per record is appended.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "CorvalaLists.h"
#include "windef.h"

// STRINGLIST: a list of zero-terminated texts. Entries are allocated with
// malloc/calloc by whoever appends them and released with free by
// a_EmptyStringList. REQUESTLIST: the REQUESTITEM pointers of a request list.
// Both are declared in CorvalaLists.h.

// Keyword message modes (KeywordMessage::m_nMode).
constexpr int KEYWORD_GET = 1;
constexpr int KEYWORD_SET = 2;
constexpr int KEYWORD_QUERY = 4;

// Request modes (a_SendRequest).
constexpr int REQUEST_READ = 1;
constexpr int REQUEST_WRITE = 2;

// Data types, shared by requests and keyword messages.
constexpr int DATATYPE_INT = 5;
constexpr int DATATYPE_DOUBLE = 9;
constexpr int DATATYPE_TEXT = 11;
constexpr int DATATYPE_STRINGLIST = 43;

// Request status values.
constexpr int REQUEST_FAILED = 0;
constexpr int REQUEST_OK = 1;
constexpr int REQUEST_CHANGING = 2;

// Size of a type-11 text buffer; texts travel with at most 4095 characters.
constexpr int REQUEST_TEXT_SIZE = 4096;

// Size of the name field of a HOSTINFO record, terminator included.
constexpr int HOSTINFO_NAME_SIZE = 128;

// Message handed to OnMessage and to keyword handlers.
struct KeywordMessage {
    int m_nMode;      // KEYWORD_GET, KEYWORD_SET or KEYWORD_QUERY
    int m_nId;        // keyword id; a query stores the id it found here
    int m_nType;      // DATATYPE_TEXT for every keyword the host sends
    int m_nReserved;  // 0
    char* m_pData;    // value text (get: written, set: read, query: keyword)
    int m_nReserved2; // 0
    int m_nReserved3; // 0
};

// Object record and handler interface of every host-visible object.
// The data fields come first; the handler operations follow in the order the
// host calls them by. Every handler answers 0 unless a derived object knows
// better.
class HOSTINFO {
public:
    HWND m_hWnd = nullptr;                 // window of the object, if any
    char m_szName[HOSTINFO_NAME_SIZE] = {}; // object name, always terminated
    HOSTINFO* m_pParent = nullptr;         // record the object belongs to
    unsigned m_bModified : 1 = 0;          // set after every change of the object's data
    unsigned m_bReserved1 : 1 = 0;         // the other four flags belong to the host
    unsigned m_bReserved2 : 1 = 0;
    unsigned m_bReserved3 : 1 = 0;
    unsigned m_bReserved4 : 1 = 0;
    HWND m_hTraceWnd = nullptr;            // where EDITTRACE lines of this object go
    STRINGLIST m_StringList;               // first text list (owned entries)
    STRINGLIST m_StringList2;              // second text list (owned entries)

    // Registration links, kept by the library: the record whose child list
    // holds this one (null when not added) and the records added to this one.
    HOSTINFO* m_pRegisteredParent = nullptr;
    std::vector<HOSTINFO*> m_Children;

    HOSTINFO() = default;
    // Copies the data fields and deep-copies both text lists; the copy is not
    // registered anywhere.
    HOSTINFO(const HOSTINFO& other) : HOSTINFO() { CopyDataFrom(other); }
    HOSTINFO& operator=(const HOSTINFO& other)
    {
        if (this != &other)
            CopyDataFrom(other);
        return *this;
    }

    virtual long HasHostinfoTable() { return FALSE; }
    virtual long GetHostinfoTable() { return 0; }
    virtual long OnLoad(unsigned message, long parameter);
    virtual long OnSave(unsigned message, long parameter);
    virtual long OnSaveToListCtrl(unsigned message, long parameter);
    virtual long OnTimer(unsigned message, long parameter);
    virtual long OnMessage(unsigned message, long parameter);
    virtual long OnSystem(unsigned message, long parameter);
    virtual long OnInitialize(unsigned message, long parameter);
    virtual long OnDelete(unsigned message, long parameter);
    virtual long OnGet(const char* keyword, int* value);
    virtual long OnGet(const char* keyword, double* value);
    virtual long OnGet(const char* keyword, char* text);
    virtual long OnGet(const char* keyword, STRINGLIST* list);
    virtual long OnSet(const char* keyword, int value);
    virtual long OnSet(const char* keyword, double value);
    virtual long OnSet(const char* keyword, const char* text);
    virtual long OnSet(const char* keyword, STRINGLIST* list);
    virtual long OnSet(const char* keyword, const void* data, int type);
    virtual long OnUpdate(unsigned message, long parameter);
    virtual long OnConnectSource(HOSTINFO* source, const char* keyword);
    virtual long OnConnectSource(HOSTINFO* source, int index);
    virtual long OnConnectTarget(HOSTINFO* target, const char* keyword);
    virtual long OnChangeAddress(const char* address);
    virtual long OnChangeAddress(HOSTINFO* record, const char* address);
    virtual long OnDisconnectSource(HOSTINFO* source, const char* keyword);
    virtual long OnDisconnectSource(HOSTINFO* source, int index);
    virtual long OnGetHostinfo(const char* name);
    virtual long OnGetTooltip(char* text);
    virtual long OnGetActiveLayer(unsigned message, long parameter);
    virtual long OnData(unsigned message, long parameter);
    virtual long OnIsAlive(unsigned message, long parameter);
    virtual long OnInterfaceworking(unsigned message, long parameter);
    virtual long OnGetKeywords(STRINGLIST* keywords);
    virtual long OnGetKeywords2(STRINGLIST* keywords);
    virtual long OnGetDatatype(const char* keyword);
    virtual long OnGetUserfriendlyName(const char* keyword, char* text);
    virtual long OnGetPropertydlg(unsigned message, long parameter);
    virtual long OnGetContextMenu(unsigned message, long parameter);
    virtual long OnSetContextMenu(unsigned message, long parameter);
    virtual long OnCaller(unsigned message, long parameter);
    virtual long OnGetKeywords_XRV(STRINGLIST* keywords);
    virtual long OnGetKeywords_YTM(STRINGLIST* keywords);
    virtual long OnRequestList(unsigned message, long parameter);
    virtual long OnDataInBuffer(unsigned message, long parameter);
    virtual long OnIPAddressChanged(const char* address);

    // Unregisters the record and frees both text lists.
    virtual ~HOSTINFO();

private:
    void CopyDataFrom(const HOSTINFO& other);
};

// Object registration. a_InitializeHostinfo sets the record's window and
// parent and takes over the parent's trace window; a_AddHostinfo makes the
// record a child of `parent` in the host's tree. a_CleanHostinfo detaches the
// record's own children; a_RemoveHostinfo takes it out of `parent`'s children.
// Each answers TRUE on success, FALSE for null records, for a record added to
// itself or below itself, and for removing a record that is not a child.
BOOL a_InitializeHostinfo(HWND hWnd, HOSTINFO* record, HOSTINFO* parent);
BOOL a_AddHostinfo(HOSTINFO* parent, HOSTINFO* record);
BOOL a_CleanHostinfo(HOSTINFO* record);
BOOL a_RemoveHostinfo(HOSTINFO* parent, HOSTINFO* record);
// Follows the parent records up to the top one. Null for null or for a chain
// that loops.
HOSTINFO* a_FindRootHostinfo(HOSTINFO* record);

// Frees every entry and empties the list. A null list is ignored.
void a_EmptyStringList(STRINGLIST* list);
void a_EmptyRequestList(REQUESTLIST* requests);

// Appends the missing (keyword, device) items; see the top of this header.
// Answers the number of items appended, or -1 for a null list.
int a_BuildRequestList(HOSTINFO* record, STRINGLIST* keywords, STRINGLIST* deviceNames,
                       REQUESTLIST* requests);
// Sends a request; see the top of this header. Stores the status in *status
// (when given) and also answers it.
int a_SendRequest(REQUESTLIST* requests, int mode, int type, void* value, int* status);

// Split a stored line "keyword=parameter". The keyword is the text before the
// first '=', the parameter the text after it, both without surrounding blanks,
// tabs and line ends; a line without '=' is all keyword. `out` must hold
// REQUEST_TEXT_SIZE bytes; longer texts are cut to 4095 characters. Answer the
// length of the whole part (more than 4095 when it was cut), or -1 for null
// arguments.
int a_GetKeyword(const char* line, char* out);
int a_GetParameter(const char* line, char* out);

// Shows a trace line of the object whose trace window is `hWnd`.
void EDITTRACE(HWND hWnd, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Full path of a file given relative to the host folder. Backslashes become
// slashes; an absolute path is kept. The module handle is accepted for the
// native signature; every module's files live in the host folder.
std::string a_MakeFullPathName(HMODULE module, const char* relative);

// ---- Graphical services ------------------------------------------------------

// A shared font for "face,size" (size in points, for example "Small Fonts,5").
// The same face (compared without case) and size give the same handle; a text
// without a comma or with a bad size uses size 8, an empty or null text the
// default GUI font. Never null. Callers never delete it: the library frees
// its fonts when it is unloaded.
HFONT a_GetFont(const char* description);

// Loads a host window template. The text is NAME "title" rest, for example
// TEIOUI "Main - IC_1" Main. The only template is TEIOUI, a property window
// that takes "key=value" lines through WM_APP + 1 (lParam the line; answers 1
// for a line it took, 0 for one without '=' or without a key) and shows them.
// It is owned by the top-level window of the owner record's window when that
// is a live window, has a fixed size and starts hidden. Null, with a trace
// line on the owner's trace window, for an unknown name or a malformed text.
HWND a_LoadTemplate(HOSTINFO* owner, const char* text);

// The record of a_PopupChooseColor. Its byte layout is the interface: 4128
// bytes, the owner window as a 32-bit value at offset 0 and the chosen colour
// at offset 4116; the rest is zero.
struct POPUPSTRUCT {
    DWORD m_hOwner;         // low 32 bits of the owner window handle, or 0
    BYTE m_Reserved[4112];
    COLORREF m_crColor;     // in: the colour shown first; out: the chosen one
    BYTE m_Reserved2[8];
};
static_assert(sizeof(POPUPSTRUCT) == 4128);
static_assert(offsetof(POPUPSTRUCT, m_crColor) == 4116);

// Lets the user choose a colour. Nonzero on OK, with the colour stored in
// m_crColor; 0 when cancelled (or for a null record), the record untouched.
int a_PopupChooseColor(POPUPSTRUCT* record);

// A host bitmap: an image file held by the library. Copies share the image,
// which lives until the last a_UnregisterBitmap3 of its name.
class KIVOBitmap {
public:
    KIVOBitmap() = default;
    KIVOBitmap(HBITMAP bitmap, int width, int height) : m_hBitmap(bitmap), m_nWidth(width), m_nHeight(height) {}
    KIVOBitmap& operator=(const KIVOBitmap& other)
    {
        m_hBitmap = other.m_hBitmap;
        m_nWidth = other.m_nWidth;
        m_nHeight = other.m_nHeight;
        return *this;
    }
    KIVOBitmap(const KIVOBitmap& other) = default;

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    HBITMAP GetHandle() const { return m_hBitmap; }
    // Draws the image with its top-left corner at (x, y), leaving its
    // transparent pixels out. FALSE for an empty bitmap or a bad DC.
    BOOL Draw(HDC dc, int x, int y) const;

private:
    HBITMAP m_hBitmap = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

// A window background picture, as the host keeps it. It refers to a host bitmap
// and does not own it.
class cBackground {
public:
    explicit cBackground(KIVOBitmap* bitmap = nullptr) : m_pBitmap(bitmap) {}
    cBackground(const cBackground& other) = default;
    cBackground& operator=(const cBackground& other)
    {
        m_pBitmap = other.m_pBitmap;
        return *this;
    }
    KIVOBitmap* GetBitmap() const { return m_pBitmap; }

private:
    KIVOBitmap* m_pBitmap;
};

// An off-screen drawing buffer, as the host keeps it. It refers to a host bitmap
// and does not own it.
class cOffScreen {
public:
    explicit cOffScreen(KIVOBitmap* bitmap = nullptr) : m_pBitmap(bitmap) {}
    cOffScreen(const cOffScreen& other) = default;
    cOffScreen& operator=(const cOffScreen& other)
    {
        m_pBitmap = other.m_pBitmap;
        return *this;
    }
    KIVOBitmap* GetBitmap() const { return m_pBitmap; }

private:
    KIVOBitmap* m_pBitmap;
};

// The bitmap of an image file (PNG or ICO) given relative to the host folder
// (a_MakeFullPathName rules). Bitmaps are shared by name with a reference
// count: every call returns the same object and adds a reference. Null for a
// missing or unreadable file; nothing is kept then, so a later call may
// succeed.
KIVOBitmap* a_GetBitmap3(const char* name);
// Releases one reference; the bitmap is freed with the last one. FALSE when
// the name holds no bitmap.
BOOL a_UnregisterBitmap3(const char* name);
