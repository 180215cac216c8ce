#include "sync/TEMirroredDevices.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "sync/TERecordTokens.h"
#include "sync/TERecords.h"

namespace {

// Lines a device can be asked to skip when it makes a line under a given
// name: more than any program holds, few enough to end at once.
constexpr long long kMaxLineNumbersSkipped = 100000;

std::string_view FieldOf(std::string_view record, size_t n)
{
    std::vector<std::string_view> fields = TESplitRecord(record);
    return n < fields.size() ? fields[n] : std::string_view();
}

// Records by name: field 1 of a proc record, field 0 of a line record.
std::map<std::string, std::string, std::less<>> ByName(const std::vector<std::string>& records, size_t nNameField)
{
    std::map<std::string, std::string, std::less<>> byName;
    for (const std::string& record : records)
        byName.emplace(std::string(FieldOf(record, nNameField)), record);
    return byName;
}

// The number of a line name "Line_<n>", or -1.
long long LineNumber(std::string_view name)
{
    constexpr std::string_view kPrefix = "Line_";
    if (!name.starts_with(kPrefix) || name.size() == kPrefix.size() || name.size() > kPrefix.size() + 15)
        return -1;
    long long number = 0;
    for (char c : name.substr(kPrefix.size())) {
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

CTEMirroredDevices::~CTEMirroredDevices()
{
    Clear();
}

void CTEMirroredDevices::Clear()
{
    for (Device* pDevice : m_Devices) {
        for (CRequestChannel& channel : pDevice->channels)
            channel.Empty();
        delete pDevice;
    }
    m_Devices.clear();
}

void CTEMirroredDevices::Follow(HOSTINFO* pRecord, const STRINGLIST* pDeviceNames)
{
    m_pRecord = pRecord;
    size_t nNames = pDeviceNames != nullptr ? pDeviceNames->size() : 0;
    if (nNames < 2 && m_Devices.empty())
        return;
    bool bSame = nNames == m_Devices.size();
    for (size_t i = 0; bSame && i < nNames; ++i)
        bSame = (*pDeviceNames)[i] != nullptr && m_Devices[i]->name == (*pDeviceNames)[i];
    if (bSame)
        return;
    std::map<std::string, bool> wasBehind;
    for (Device* pDevice : m_Devices)
        wasBehind[pDevice->name] = pDevice->bBehind;
    bool bNewList = m_Devices.empty();
    Clear();
    if (nNames < 2)
        return;
    for (size_t i = 0; i < nNames; ++i) {
        const char* pszName = (*pDeviceNames)[i];
        if (pszName == nullptr)
            continue;
        auto* pDevice = new Device;
        pDevice->name = pszName;
        auto known = wasBehind.find(pDevice->name);
        pDevice->bBehind = known != wasBehind.end() ? known->second : !(bNewList && m_Devices.empty());
        STRINGLIST names{strdup(pszName)};
        for (int channel = 0; channel < TE_CHANNEL_COUNT; ++channel) {
            CRequestChannel& target = pDevice->channels[channel];
            target.m_Keywords.push_back(strdup(g_TEKeywords[channel]));
            a_BuildRequestList(pRecord, &target.m_Keywords, &names, &target.m_Requests);
        }
        a_EmptyStringList(&names);
        m_Devices.push_back(pDevice);
    }
    if (!m_Devices.empty() && std::all_of(m_Devices.begin(), m_Devices.end(), [](const Device* p) { return p->bBehind; }))
        m_Devices.front()->bBehind = false;
}

int CTEMirroredDevices::Send(Device& device, TEChannel channel, const std::string& text, std::string* pAnswer)
{
    char szText[REQUEST_TEXT_SIZE];
    if (!TECopyRequestText(text, szText, sizeof szText))
        return REQUEST_FAILED;
    int status = REQUEST_FAILED;
    a_SendRequest(&device.channels[channel].m_Requests, REQUEST_WRITE, DATATYPE_TEXT, szText, &status);
    if (pAnswer != nullptr)
        pAnswer->assign(szText);
    return status;
}

int CTEMirroredDevices::SendKeyword(Device& device, const std::string& keyword, int mode, int type, void* pValue)
{
    CRequestChannel channel;
    channel.m_Keywords.push_back(strdup(keyword.c_str()));
    STRINGLIST names{strdup(device.name.c_str())};
    a_BuildRequestList(m_pRecord, &channel.m_Keywords, &names, &channel.m_Requests);
    a_EmptyStringList(&names);
    int status = REQUEST_FAILED;
    a_SendRequest(&channel.m_Requests, mode, type, pValue, &status);
    channel.Empty();
    return status;
}

int CTEMirroredDevices::Write(TEChannel channel, const std::string& text, std::string& answer)
{
    int status = WriteToEach([&](Device& device, std::string& deviceAnswer) {
        return Send(device, channel, text, &deviceAnswer) == REQUEST_OK;
    }, answer);
    // Every device took it: the program they hold alike moved with it.
    if (status == REQUEST_OK && m_bHasBase && !AnyBehind())
        m_Base.Apply(channel, text, answer);
    return status;
}

int CTEMirroredDevices::WriteLink(const std::string& keyword, const std::string& text)
{
    std::string answer;
    int status =
        WriteToEach([&](Device& device, std::string&) { return SendLink(device, keyword, text); }, answer);
    if (status == REQUEST_OK && m_bHasBase && !AnyBehind() && keyword.starts_with("TE."))
        m_BaseLinks[keyword.substr(3)] = text;
    return status;
}

bool CTEMirroredDevices::SendLink(Device& device, const std::string& keyword, std::string_view text)
{
    char szText[REQUEST_TEXT_SIZE];
    return TECopyRequestText(std::string(text), szText, sizeof szText) &&
           SendKeyword(device, keyword, REQUEST_WRITE, DATATYPE_TEXT, szText) == REQUEST_OK;
}

template <class SendTo>
int CTEMirroredDevices::WriteToEach(SendTo send, std::string& answer)
{
    std::vector<Device*> missed;
    bool bTaken = false;
    for (Device* pDevice : m_Devices) {
        std::string deviceAnswer;
        bool bTook = send(*pDevice, deviceAnswer);
        if (pDevice->bBehind)
            continue;
        if (!bTook) {
            missed.push_back(pDevice);
        } else if (!bTaken) {
            answer = deviceAnswer;
            bTaken = true;
        }
    }
    // A write none of them took waits and goes to all of them again.
    if (bTaken) {
        for (Device* pDevice : missed)
            pDevice->bBehind = true;
    }
    return bTaken ? REQUEST_OK : REQUEST_FAILED;
}

bool CTEMirroredDevices::AnyBehind() const
{
    return std::any_of(m_Devices.begin(), m_Devices.end(), [](const Device* pDevice) { return pDevice->bBehind; });
}

std::vector<std::string> CTEMirroredDevices::BehindNames() const
{
    std::vector<std::string> names;
    for (const Device* pDevice : m_Devices) {
        if (pDevice->bBehind)
            names.push_back(pDevice->name);
    }
    return names;
}

bool CTEMirroredDevices::ReadVersion(Device& device)
{
    // Any read would do to learn whether the device answers; the version is
    // the cheapest, and a device without one still answers the count.
    int number = 0;
    return a_SendRequest(&device.channels[TE_PROGRAMVERSION].m_Requests, REQUEST_READ, DATATYPE_INT, &number,
                         nullptr) == REQUEST_OK ||
           a_SendRequest(&device.channels[TE_NROFPROCS].m_Requests, REQUEST_READ, DATATYPE_INT, &number, nullptr) ==
               REQUEST_OK;
}

bool CTEMirroredDevices::ReadList(Device& device, TEChannel channel, std::vector<std::string>& records)
{
    STRINGLIST list;
    bool bRead = a_SendRequest(&device.channels[channel].m_Requests, REQUEST_READ, DATATYPE_STRINGLIST, &list,
                               nullptr) == REQUEST_OK;
    records.clear();
    for (const char* pszRecord : list)
        records.emplace_back(pszRecord != nullptr ? pszRecord : "");
    a_EmptyStringList(&list);
    return bRead;
}

long long CTEMirroredDevices::TakeLineNumber(Device& device)
{
    char szName[REQUEST_TEXT_SIZE] = "Line_";
    if (a_SendRequest(&device.channels[TE_SAFELINENAME].m_Requests, REQUEST_READ, DATATYPE_TEXT, szName, nullptr) !=
        REQUEST_OK)
        return -1;
    return LineNumber(szName);
}

bool CTEMirroredDevices::Align(Device& device, const std::vector<std::string>& procs,
                               const std::vector<std::string>& lines, std::string& why)
{
    if (!AlignProcs(device, procs)) {
        why = "a block request failed";
        return false;
    }
    return AlignLines(device, lines, why);
}

bool CTEMirroredDevices::AlignProcs(Device& device, const std::vector<std::string>& procs)
{
    std::vector<std::string> held;
    if (!ReadList(device, TE_PROCS, held))
        return false;
    auto wanted = ByName(procs, 1);
    bool bDone = true;
    for (const auto& [name, record] : ByName(held, 1)) {
        auto it = wanted.find(name);
        // Another kind under the name is another block.
        bool bOtherKind = it != wanted.end() && FieldOf(it->second, 0) != FieldOf(record, 0);
        if (it == wanted.end() || bOtherKind)
            bDone &= Send(device, TE_DELPROC, TEFormatDeleteText(name.c_str())) == REQUEST_OK;
    }
    auto heldByName = ByName(held, 1);
    for (const std::string& record : procs) {
        std::string_view name = FieldOf(record, 1);
        auto it = heldByName.find(name);
        if (it != heldByName.end() && it->second == record)
            continue;
        if (it != heldByName.end() && FieldOf(it->second, 0) == FieldOf(record, 0))
            bDone &= Send(device, TE_UPDATEPROC, std::string(name) + ' ' + std::string(FieldOf(record, 2))) == REQUEST_OK;
        else
            bDone &= Send(device, TE_SETPROC, record) == REQUEST_OK;
    }
    return bDone;
}

bool CTEMirroredDevices::AlignLines(Device& device, const std::vector<std::string>& lines, std::string& why)
{
    std::vector<std::string> held;
    if (!ReadList(device, TE_LINES, held)) {
        why = "its lines could not be read";
        return false;
    }
    auto wanted = ByName(lines, 0);
    auto heldByName = ByName(held, 0);
    bool bDone = true;
    for (const auto& [name, record] : heldByName) {
        if (wanted.count(name) == 0)
            bDone &= Send(device, TE_DELLINE, TEFormatDeleteText(name.c_str())) == REQUEST_OK;
    }
    // Lines it lacks are made in the order of their numbers, so that each
    // takes the number the others gave it.
    std::vector<std::pair<long long, std::string>> missing;
    for (const auto& [name, record] : wanted) {
        auto it = heldByName.find(name);
        if (it == heldByName.end())
            missing.emplace_back(LineNumber(name), record);
        else if (it->second != record)
            bDone &= Send(device, TE_UPDATELINE, record) == REQUEST_OK;
    }
    if (!bDone) {
        why = "a line request failed";
        return false;
    }
    std::sort(missing.begin(), missing.end());
    for (const auto& [number, record] : missing) {
        if (!SetLineNamed(device, record, number, why))
            return false;
    }
    return true;
}

bool CTEMirroredDevices::ReadLinks(Device& device, std::vector<std::string>& entries, bool& bListed)
{
    STRINGLIST list;
    int status = SendKeyword(device, "TELinks", REQUEST_READ, DATATYPE_STRINGLIST, &list);
    entries.clear();
    for (const char* pszEntry : list)
        entries.emplace_back(pszEntry != nullptr ? pszEntry : "");
    a_EmptyStringList(&list);
    bListed = status == REQUEST_OK && entries.size() % 3 == 0;
    // A device that answers but does not list links is an older one.
    return status == REQUEST_OK || ReadVersion(device);
}

bool CTEMirroredDevices::AlignLinks(Device& device, Device& reference, std::string& why)
{
    std::vector<std::string> wanted;
    std::vector<std::string> held;
    bool bWantedListed = false;
    bool bHeldListed = false;
    if (!ReadLinks(reference, wanted, bWantedListed) || !ReadLinks(device, held, bHeldListed)) {
        why = "its link texts could not be read";
        return false;
    }
    if (!bWantedListed || !bHeldListed)
        return true;
    std::map<std::string_view, std::pair<std::string_view, std::string_view>> heldByName;
    for (size_t i = 0; i < held.size(); i += 3)
        heldByName[held[i]] = {held[i + 1], held[i + 2]};
    bool bDone = true;
    for (size_t i = 0; i < wanted.size(); i += 3) {
        auto it = heldByName.find(wanted[i]);
        // Every block of the reference is on the device by now.
        std::pair<std::string_view, std::string_view> links = it != heldByName.end() ? it->second
                                                                                     : std::pair<std::string_view, std::string_view>();
        const std::string prefix = "TE." + wanted[i];
        if (links.first != wanted[i + 1])
            bDone &= SendLink(device, prefix + ".function", wanted[i + 1]);
        if (links.second != wanted[i + 2])
            bDone &= SendLink(device, prefix + ".connection", wanted[i + 2]);
    }
    if (!bDone)
        why = "a link text request failed";
    return bDone;
}

bool CTEMirroredDevices::SetLineNamed(Device& device, const std::string& record, long long number, std::string& why)
{
    std::string name(FieldOf(record, 0));
    std::string answer;
    if (number < 0 || Send(device, TE_SETLINE, record, &answer) != REQUEST_OK) {
        why = "it did not take " + name;
        return false;
    }
    long long got = LineNumber(answer);
    if (got == number)
        return true;
    // The device names lines from a counter of its own: one that gave a
    // lower number skips to this one and makes the line again.
    Send(device, TE_DELLINE, TEFormatDeleteText(answer.c_str()));
    if (got < 0 || got > number) {
        why = "it has given the name " + name + " away already";
        return false;
    }
    for (long long next = got + 1; next < number; ++next) {
        if (next - got > kMaxLineNumbersSkipped || TakeLineNumber(device) != next) {
            why = "its line names cannot reach " + name;
            return false;
        }
    }
    if (Send(device, TE_SETLINE, record, &answer) != REQUEST_OK || answer != name) {
        if (LineNumber(answer) >= 0)
            Send(device, TE_DELLINE, TEFormatDeleteText(answer.c_str()));
        why = "it did not take " + name;
        return false;
    }
    return true;
}

void CTEMirroredDevices::MatchLineCounters(Device& device, Device& reference)
{
    long long mine = TakeLineNumber(device);
    long long theirs = TakeLineNumber(reference);
    for (long long n = 0; mine >= 0 && theirs >= 0 && mine != theirs && n < kMaxLineNumbersSkipped; ++n) {
        if (mine < theirs)
            mine = TakeLineNumber(device);
        else
            theirs = TakeLineNumber(reference);
    }
}

// ---- Merging from the common base ---------------------------------------------------------

namespace {

const std::string* Find(const std::map<std::string, std::string, std::less<>>& records, std::string_view key)
{
    auto it = records.find(key);
    return it != records.end() ? &it->second : nullptr;
}

bool Same(const std::string* pA, const std::string* pB)
{
    return pA == nullptr ? pB == nullptr : pB != nullptr && *pA == *pB;
}

// Every key either side holds, once.
std::vector<std::string> KeysOf(const std::map<std::string, std::string, std::less<>>& a,
                                const std::map<std::string, std::string, std::less<>>& b)
{
    std::vector<std::string> keys;
    for (const auto& entry : a)
        keys.push_back(entry.first);
    for (const auto& entry : b) {
        if (a.count(entry.first) == 0)
            keys.push_back(entry.first);
    }
    return keys;
}

}  // namespace

bool CTEMirroredDevices::ReadProgram(Device& device, Program& program)
{
    std::vector<std::string> procs;
    std::vector<std::string> lines;
    if (!ReadList(device, TE_PROCS, procs) || !ReadList(device, TE_LINES, lines))
        return false;
    program.procs = ByName(procs, 1);
    program.lines = ByName(lines, 0);
    program.procList = std::move(procs);
    program.lineList = std::move(lines);
    std::vector<std::string> links;
    if (!ReadLinks(device, links, program.bLinks))
        return false;
    program.links.clear();
    for (size_t i = 0; program.bLinks && i < links.size(); i += 3) {
        program.links[links[i] + ".function"] = links[i + 1];
        program.links[links[i] + ".connection"] = links[i + 2];
    }
    return true;
}

void CTEMirroredDevices::RefreshBase()
{
    if (m_Devices.size() < 2)
        return;
    Program first;
    if (!ReadProgram(*m_Devices.front(), first))
        return;
    for (size_t i = 1; i < m_Devices.size(); ++i) {
        Program other;
        if (!ReadProgram(*m_Devices[i], other) || !(other == first))
            return;
    }
    m_Base.Set(std::move(first.procList), std::move(first.lineList));
    m_BaseLinks = std::move(first.links);
    m_bHasBase = true;
}

CTEMirroredDevices::Program CTEMirroredDevices::BaseProgram() const
{
    Program base;
    base.procs = ByName(m_Base.Procs(), 1);
    base.lines = ByName(m_Base.Lines(), 0);
    base.links = m_BaseLinks;
    return base;
}

bool CTEMirroredDevices::Merge(Device& device, Device& reference, std::string& why)
{
    Program held;
    Program wanted;
    if (!ReadProgram(device, held) || !ReadProgram(reference, wanted)) {
        why = "its program could not be read";
        return false;
    }
    const Program base = BaseProgram();
    if (!MergeProcs(device, reference, held, wanted, base)) {
        why = "a block request failed";
        return false;
    }
    if (!MergeLines(device, reference, held, wanted, base, why) || !MergeLinks(device, reference, base, why))
        return false;
    Program after;
    Program reference_after;
    if (!ReadProgram(device, after) || !ReadProgram(reference, reference_after) || !(after == reference_after)) {
        why = "the two programs still differ";
        return false;
    }
    m_Base.Set(std::move(after.procList), std::move(after.lineList));
    m_BaseLinks = std::move(after.links);
    return true;
}

bool CTEMirroredDevices::MergeProcs(Device& device, Device& reference, const Program& held, const Program& wanted,
                                    const Program& base)
{
    bool bDone = true;
    for (const std::string& name : KeysOf(wanted.procs, held.procs)) {
        const std::string* pRef = Find(wanted.procs, name);
        const std::string* pDev = Find(held.procs, name);
        if (Same(pRef, pDev))
            continue;
        // Only the device changed it since the base: the reference takes
        // the device's; otherwise (only the reference, or both) the device
        // takes the reference's.
        if (Same(pRef, Find(base.procs, name)))
            bDone &= SetProc(reference, name, pDev, pRef);
        else
            bDone &= SetProc(device, name, pRef, pDev);
    }
    return bDone;
}

bool CTEMirroredDevices::MergeLines(Device& device, Device& reference, const Program& held, const Program& wanted,
                                    const Program& base, std::string& why)
{
    std::vector<std::pair<std::string, std::string>> madeAnew;  // the device's line, to make under a new name
    bool bDone = true;
    for (const std::string& name : KeysOf(wanted.lines, held.lines)) {
        const std::string* pRef = Find(wanted.lines, name);
        const std::string* pDev = Find(held.lines, name);
        const std::string* pBase = Find(base.lines, name);
        if (Same(pRef, pDev))
            continue;
        if (pBase == nullptr && pRef != nullptr && pDev != nullptr) {
            // Each made a line under this name: the reference's keeps it.
            madeAnew.emplace_back(name, *pDev);
            bDone &= SetLine(device, name, pRef, pDev);
        } else if (!Same(pRef, pBase)) {
            bDone &= SetLine(device, name, pRef, pDev);
        } else if (pRef == nullptr && pDev != nullptr && !SetLine(reference, name, pDev, pRef)) {
            // The device made it, and the reference has given the name away.
            bDone &= Send(device, TE_DELLINE, TEFormatDeleteText(name.c_str())) == REQUEST_OK;
            madeAnew.emplace_back(name, *pDev);
        } else if (pRef != nullptr) {
            bDone &= SetLine(reference, name, pDev, pRef);
        }
    }
    if (!bDone) {
        why = "a line request failed";
        return false;
    }
    for (const auto& entry : madeAnew) {
        if (!MakeLineAnew(reference, device, entry.second, why))
            return false;
    }
    return true;
}

bool CTEMirroredDevices::MergeLinks(Device& device, Device& reference, const Program& base, std::string& why)
{
    // Read again: blocks may have come or gone on either side.
    Program held;
    Program wanted;
    if (!ReadProgram(device, held) || !ReadProgram(reference, wanted)) {
        why = "its link texts could not be read";
        return false;
    }
    if (!held.bLinks || !wanted.bLinks)
        return true;
    bool bDone = true;
    for (const std::string& key : KeysOf(wanted.links, held.links)) {
        const std::string* pRef = Find(wanted.links, key);
        const std::string* pDev = Find(held.links, key);
        if (pRef == nullptr || pDev == nullptr || *pRef == *pDev)
            continue;  // a block one of them does not hold has no link there
        bool bToReference = Same(pRef, Find(base.links, key));
        bDone &= SendLink(bToReference ? reference : device, "TE." + key, bToReference ? *pDev : *pRef);
    }
    if (!bDone)
        why = "a link text request failed";
    return bDone;
}

bool CTEMirroredDevices::SetProc(Device& target, const std::string& name, const std::string* pWanted,
                                 const std::string* pHeld)
{
    if (pWanted == nullptr)
        return Send(target, TE_DELPROC, TEFormatDeleteText(name.c_str())) == REQUEST_OK;
    if (pHeld != nullptr && FieldOf(*pHeld, 0) == FieldOf(*pWanted, 0))
        return Send(target, TE_UPDATEPROC, name + ' ' + std::string(FieldOf(*pWanted, 2))) == REQUEST_OK;
    if (pHeld != nullptr && Send(target, TE_DELPROC, TEFormatDeleteText(name.c_str())) != REQUEST_OK)
        return false;
    return Send(target, TE_SETPROC, *pWanted) == REQUEST_OK;
}

bool CTEMirroredDevices::SetLine(Device& target, const std::string& name, const std::string* pWanted,
                                 const std::string* pHeld)
{
    if (pWanted == nullptr)
        return Send(target, TE_DELLINE, TEFormatDeleteText(name.c_str())) == REQUEST_OK;
    if (pHeld != nullptr)
        return Send(target, TE_UPDATELINE, *pWanted) == REQUEST_OK;
    std::string why;
    return SetLineNamed(target, *pWanted, LineNumber(name), why);
}

bool CTEMirroredDevices::MakeLineAnew(Device& target, Device& holder, const std::string& record, std::string& why)
{
    // Both count on from the same number, and the line takes the next one
    // on each.
    MatchLineCounters(target, holder);
    std::string answer;
    if (Send(target, TE_SETLINE, record, &answer) != REQUEST_OK || LineNumber(answer) < 0) {
        why = "it did not take a line made again";
        return false;
    }
    std::string renamed = answer + record.substr(record.find(' '));
    return SetLineNamed(holder, renamed, LineNumber(answer), why);
}
