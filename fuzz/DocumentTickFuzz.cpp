// The document's record readers and its tick, fed whatever a device could
// answer. The input is a script of ticks separated by lines "tick"; within
// a tick:
//
//   P <record>        a proc record the device lists this tick
//   L <record>        a line record the device lists this tick
//   procs <n>         the block count it answers (else the number of P lines)
//   lines <n>         the line count it answers (else the number of L lines)
//   value <number>    what every live-value read answers
//   status <n>        the status every live-value read answers
//   offline           every request of this tick fails
//   move <k> <dx> <dy>  the user moves block k (an index, wrapped)
//   delblock <k>, delline <k>  the user deletes block or line k
//   create <type key> <x> <y>  the user drops a block
//   draw <a> <out> <b> <in>    the user draws a line from output pin <out>
//                              of block a to input pin <in> of block b
//
// A tick without P or L lines (and without counts) is answered by a real
// embedded device, which has taken every write the document sent, so the
// document's own announcements come back to it on later ticks.
//
// Checked beyond the sanitizers: after every tick, each line's blocks and
// parent are blocks and lines the document holds, and the display list holds
// the same blocks as the block list. At the end, after two ticks on the real
// device, every block and line the editor shows is on the device, each block
// where the editor shows it: nothing the user did was lost or left unsent.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CorvalaHost.h"
#include "FuzzCheck.h"
#include "blocks/CTrackObject.h"
#include "lines/CLineItem.h"
#include "shell/CMainDlgHost.h"
#include "sync/CTEDocument.h"
#include "sync/CTEPageLink.h"

namespace {

struct TickScript {
    std::vector<std::string> procs;
    std::vector<std::string> lines;
    std::optional<int> procCount;
    std::optional<int> lineCount;
    std::optional<double> value;
    std::optional<int> valueStatus;
    bool offline = false;
    std::vector<std::vector<std::string>> edits;

    bool ListsProgram() const { return !procs.empty() || !lines.empty() || procCount || lineCount; }
};

std::vector<TickScript> ReadScript(std::string_view text)
{
    std::vector<TickScript> ticks(1);
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        TickScript& tick = ticks.back();
        std::string word = line.substr(0, line.find(' '));
        std::string rest = line.size() > word.size() ? line.substr(word.size() + 1) : std::string();
        if (line == "tick")
            ticks.emplace_back();
        else if (word == "P")
            tick.procs.push_back(rest);
        else if (word == "L")
            tick.lines.push_back(rest);
        else if (word == "procs")
            tick.procCount = std::atoi(rest.c_str());
        else if (word == "lines")
            tick.lineCount = std::atoi(rest.c_str());
        else if (word == "value")
            tick.value = std::strtod(rest.c_str(), nullptr);
        else if (word == "status")
            tick.valueStatus = std::atoi(rest.c_str());
        else if (line == "offline")
            tick.offline = true;
        else if (word == "move" || word == "delblock" || word == "delline" || word == "create" || word == "draw") {
            std::istringstream words(line);
            std::vector<std::string> edit;
            for (std::string w; words >> w;)
                edit.push_back(w);
            tick.edits.push_back(edit);
        }
    }
    return ticks;
}

// The device as the script makes it answer, with the real device behind it.
class ScriptedDevice : public corvala::DeviceLink {
public:
    explicit ScriptedDevice(tedevice::TaskEngineDevice& device) : m_Device(device) {}

    void Use(const TickScript* tick) { m_pTick = tick; }

    int Request(const char* keyword, int mode, int type, void* value) override
    {
        if (m_pTick->offline)
            return REQUEST_FAILED;
        std::string_view name(keyword);
        if (m_pTick->ListsProgram() && mode == REQUEST_READ) {
            if (name == "TENrOfProcs" && type == DATATYPE_INT)
                return Answer(m_pTick->procCount.value_or(static_cast<int>(m_pTick->procs.size())), value);
            if (name == "TENrOfLines" && type == DATATYPE_INT)
                return Answer(m_pTick->lineCount.value_or(static_cast<int>(m_pTick->lines.size())), value);
            if (name == "TEProcs" && type == DATATYPE_STRINGLIST)
                return Answer(m_pTick->procs, value);
            if (name == "TELines" && type == DATATYPE_STRINGLIST)
                return Answer(m_pTick->lines, value);
            // Records of the script's own change nothing on the real device:
            // answering its version would let the editor skip reading them.
            if (name == "TEProgramVersion")
                return REQUEST_FAILED;
        }
        if (name.ends_with(".Value") && type == DATATYPE_DOUBLE && (m_pTick->value || m_pTick->valueStatus)) {
            if (m_pTick->value)
                *static_cast<double*>(value) = *m_pTick->value;
            return m_pTick->valueStatus.value_or(REQUEST_OK);
        }
        return Forward(keyword, mode, type, value);
    }

private:
    static int Answer(int number, void* value)
    {
        *static_cast<int*>(value) = number;
        return REQUEST_OK;
    }
    static int Answer(const std::vector<std::string>& records, void* value)
    {
        for (const std::string& record : records)
            static_cast<STRINGLIST*>(value)->push_back(strdup(record.c_str()));
        return REQUEST_OK;
    }

    // The request as the embedded link passes it to the device.
    int Forward(const char* keyword, int mode, int type, void* value)
    {
        tedevice::TEValue request;
        if (type == DATATYPE_INT)
            request.number = *static_cast<int*>(value);
        else if (type == DATATYPE_DOUBLE)
            request.real = *static_cast<double*>(value);
        else if (type == DATATYPE_TEXT)
            request.text = static_cast<const char*>(value);
        int status = m_Device.Request(keyword, mode, type, request);
        if (status != REQUEST_OK)
            return status;
        if (type == DATATYPE_INT)
            *static_cast<int*>(value) = request.number;
        else if (type == DATATYPE_DOUBLE)
            *static_cast<double*>(value) = request.real;
        else if (type == DATATYPE_TEXT)
            std::snprintf(static_cast<char*>(value), REQUEST_TEXT_SIZE, "%s", request.text.c_str());
        else if (type == DATATYPE_STRINGLIST && mode == REQUEST_READ)
            return Answer(request.list, value);
        return status;
    }

    tedevice::TaskEngineDevice& m_Device;
    const TickScript* m_pTick = nullptr;
};

class FuzzPage : public CTEPageLink {
public:
    UINT GetGridStep() const override { return 5; }
    int GetRecordedPageWidth() const override { return 800; }
    HOSTINFO* GetPageRecord() override { return &m_Record; }
    long InvalidateCanvasRect(RECT*, BOOL) override { return 1; }

    HOSTINFO m_Record;
};

size_t Wrap(const std::string& index, INT_PTR size)
{
    return static_cast<size_t>(std::strtoul(index.c_str(), nullptr, 10) % static_cast<unsigned long>(size));
}

int Number(const std::string& text)
{
    return std::atoi(text.c_str());
}

// Moves stay on the canvas, as the object tracker keeps them.
void MoveBlock(CTrackObject* pBlock, int dx, int dy)
{
    CRect& rc = pBlock->m_rcPos;
    int x = std::clamp(rc.left + dx % 10000, 0, TE_MAX_CANVAS_COORD - 1000);
    int y = std::clamp(rc.top + dy % 10000, 0, TE_MAX_CANVAS_COORD - 1000);
    rc.OffsetRect(x - rc.left, y - rc.top);
    pBlock->m_bMoved = TRUE;
}

// A line handed to the document as the line tracker hands it: listed only
// when connected.
void DrawLine(CTEDocument& document, CTrackObject* pA, int nOut, CTrackObject* pB, int nIn)
{
    POINT from;
    POINT to;
    if (pA->GetPinPoint(PIN_SIDE_OUTPUT, static_cast<UINT>(nOut), &from) != 1 ||
        pB->GetPinPoint(PIN_SIDE_INPUT, static_cast<UINT>(nIn), &to) != 1)
        return;
    auto pLine = std::make_unique<CLineItem>();
    pLine->AddPoint(from.x, from.y);
    pLine->AddPoint((from.x + to.x) / 2, from.y);
    pLine->AddPoint((from.x + to.x) / 2, to.y);
    pLine->AddPoint(to.x, to.y);
    if (document.ConnectLineTo(pA, pB, pLine.get()) == 1)
        document.m_LineList.Add(pLine.release());
}

void ApplyEdit(CTEDocument& document, const std::vector<std::string>& edit)
{
    INT_PTR nBlocks = document.m_BlockList.GetSize();
    if (edit[0] == "move" && edit.size() == 4 && nBlocks > 0) {
        MoveBlock(document.m_BlockList[Wrap(edit[1], nBlocks)], Number(edit[2]), Number(edit[3]));
    } else if (edit[0] == "delblock" && edit.size() == 2 && nBlocks > 0) {
        document.DeleteBlock(document.m_BlockList[Wrap(edit[1], nBlocks)]);
    } else if (edit[0] == "delline" && edit.size() == 2 && document.m_LineList.GetSize() > 0) {
        document.DeleteLine(document.m_LineList[Wrap(edit[1], document.m_LineList.GetSize())]);
    } else if (edit[0] == "create" && edit.size() == 4) {
        document.CreateBlock(edit[1].c_str(), Number(edit[2]), Number(edit[3]), 0, 0, nullptr, -1);
    } else if (edit[0] == "draw" && edit.size() == 5 && nBlocks > 0) {
        DrawLine(document, document.m_BlockList[Wrap(edit[1], nBlocks)], Number(edit[2]) % 64,
                 document.m_BlockList[Wrap(edit[3], nBlocks)], Number(edit[4]) % 64);
    }
}

template <typename T>
bool Holds(const CArray<T*, T*>& list, const T* item)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i] == item)
            return true;
    return false;
}

void CheckConsistent(const CTEDocument& document)
{
    FUZZ_CHECK(document.m_DisplayList.GetSize() == document.m_BlockList.GetSize());
    for (INT_PTR i = 0; i < document.m_DisplayList.GetSize(); ++i)
        FUZZ_CHECK(Holds(document.m_BlockList, document.m_DisplayList[i]));
    for (INT_PTR i = 0; i < document.m_LineList.GetSize(); ++i) {
        const CLineItem* pLine = document.m_LineList[i];
        FUZZ_CHECK(!pLine->m_pSource || Holds(document.m_BlockList, pLine->m_pSource));
        FUZZ_CHECK(!pLine->m_pTarget || Holds(document.m_BlockList, pLine->m_pTarget));
        FUZZ_CHECK(!pLine->m_pParent || Holds(document.m_LineList, pLine->m_pParent));
    }
}

// After quiet ticks the device holds what the editor shows.
void CheckOnDevice(const CTEDocument& document, const tedevice::TaskEngineDevice& device)
{
    for (INT_PTR i = 0; i < document.m_BlockList.GetSize(); ++i) {
        const CTrackObject* pBlock = document.m_BlockList[i];
        const tedevice::TEBlock* pOnDevice = device.FindBlock(pBlock->m_szName.c_str());
        FUZZ_CHECK_MSG(pOnDevice != nullptr, pBlock->m_szName.c_str());
        FUZZ_CHECK_MSG(pOnDevice->record.x == pBlock->m_rcPos.left && pOnDevice->record.y == pBlock->m_rcPos.top,
                       pBlock->m_szName.c_str());
    }
    std::vector<std::string> lines = device.LineRecords();
    for (INT_PTR i = 0; i < document.m_LineList.GetSize(); ++i) {
        std::string name = std::string(document.m_LineList[i]->m_szName) + ' ';
        bool found = std::any_of(lines.begin(), lines.end(), [&](const std::string& r) { return r.starts_with(name); });
        FUZZ_CHECK_MSG(found, name.c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("OVINTA_DISPLAY", "headless", 0);
    setenv("OVINTA_HOST_FOLDER", OVINTA_FUZZ_HOST_FOLDER, 0);
    corvala::SetTraceSink([](HWND, const char*) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<TickScript> ticks = ReadScript(std::string_view(reinterpret_cast<const char*>(data), size));
    corvala::ResetDevices();
    auto device = std::make_shared<ScriptedDevice>(corvala::EmbeddedDevice("TE1"));
    corvala::RegisterDeviceLink("TE1", device);
    {
        TickScript quiet;
        device->Use(&quiet);
        HOSTINFO root;
        FuzzPage page;
        CMainDlgHost dialog;
        dialog.m_pParent = &root;
        dialog.RegisterHostinfo(nullptr);
        std::string connection = "connection=TE1";
        dialog.OnLoad(0, reinterpret_cast<long>(connection.c_str()));
        {
            CTEDocument document;
            document.SetPage(&page);
            document.SetDialog(&dialog);
            for (const TickScript& tick : ticks) {
                device->Use(&tick);
                for (const auto& edit : tick.edits)
                    ApplyEdit(document, edit);
                document.Tick();
                CheckConsistent(document);
            }
            device->Use(&quiet);
            document.Tick();
            document.Tick();
            CheckConsistent(document);
            CheckOnDevice(document, corvala::EmbeddedDevice("TE1"));
            document.Clear();
        }
        dialog.EmptyChannels();
        dialog.UnregisterHostinfo();
    }
    corvala::ResetDevices();
    return 0;
}
