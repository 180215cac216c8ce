// The devices of a "connection" that names more than one: each holds the
// whole program, and every change goes to each of them. The dialog's
// request lists answer a write when any device took it, so a device that
// missed a write (silent, or refusing what it no longer holds) would keep a
// program of its own for good. Here every write goes to each device on a
// channel of its own; one that does not take a write someone else took is
// behind, and when it answers again it is brought into line with a device
// that missed nothing. Another editor may meanwhile have made changes that
// only the behind device took, so the two are merged from the program all
// devices last held alike: what only one of them changed since goes to the
// other. Without such a base the reference is copied: what the device lacks
// is set, what it has extra deleted, moved blocks and changed lines
// updated, each line made again under the name the other devices gave it,
// and the blocks' link texts set alike.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Corvala.h"
#include "shell/TEChannels.h"
#include "sync/TEDeviceMirror.h"

class CTEMirroredDevices {
public:
    CTEMirroredDevices() = default;
    ~CTEMirroredDevices();
    CTEMirroredDevices(const CTEMirroredDevices&) = delete;
    CTEMirroredDevices& operator=(const CTEMirroredDevices&) = delete;

    // Follows the dialog's device names: channels of their own for each,
    // when there are two or more. The first device of a new list holds the
    // program; every other device new to the list is taken to be behind
    // until it was brought into line once.
    void Follow(HOSTINFO* pRecord, const STRINGLIST* pDeviceNames);
    bool IsMirrored() const { return m_Devices.size() > 1; }

    // A write to each device in list order. The devices that are not behind
    // decide: the status is 1 when one of them took it, the text the first
    // of them answered comes back in `answer`, and those of them that did
    // not take it are behind from now on. So one device at least is never
    // behind, and its program is the one the others are brought to.
    int Write(TEChannel channel, const std::string& text, std::string& answer);
    // A block's link text ("TE.<block>.function" or ".connection") written
    // the same way: a device that missed it is behind, and gets it when it
    // is brought into line.
    int WriteLink(const std::string& keyword, const std::string& text);

    // Brings every behind device that answers into line with the first
    // device that answers and is not behind (merged with it when there is a
    // base, else made a copy of it). False while a behind device
    // answers and could not be brought into line (no device to take the
    // program from answers, or a request failed): its lists are not the
    // program. Traces through `trace` each device brought into line (an
    // empty text) or not (why).
    template <class Trace>
    bool BringBehindIntoLine(Trace trace);

    // When every device answers and all hold the same program, that program
    // is the common base from which devices that miss changes later are
    // merged rather than copied. Writes every device takes are applied to the
    // base as they go, so the editor asks for this only when it saw another
    // editor's change or has no base yet.
    void RefreshBase();
    bool HasBase() const { return m_bHasBase; }

    bool AnyBehind() const;
    // For tests: the names of the devices that are behind.
    std::vector<std::string> BehindNames() const;

private:
    // A program by name: blocks by block name, lines by line name, link
    // texts by "<block>.function" and "<block>.connection".
    using Records = std::map<std::string, std::string, std::less<>>;
    struct Program {
        Records procs;
        Records lines;
        Records links;
        bool bLinks = false;  // the device listed its links
        std::vector<std::string> procList;  // as the device lists them
        std::vector<std::string> lineList;
        bool operator==(const Program& other) const
        {
            return procs == other.procs && lines == other.lines && (!bLinks || !other.bLinks || links == other.links);
        }
    };
    struct Device {
        std::string name;
        bool bBehind = true;
        CRequestChannel channels[TE_CHANNEL_COUNT];
    };

    bool ReadVersion(Device& device);
    bool ReadProgram(Device& device, Program& program);
    // The base as a program by name, for a merge.
    Program BaseProgram() const;
    // Brings `device` and `reference` together from the common base: what
    // only one of them changed since goes to the other; where both changed
    // a record, the reference's stands, but a line each made under the same
    // name is kept twice, the device's under a new name on both.
    bool Merge(Device& device, Device& reference, std::string& why);
    bool MergeProcs(Device& device, Device& reference, const Program& held, const Program& wanted,
                    const Program& base);
    bool MergeLines(Device& device, Device& reference, const Program& held, const Program& wanted,
                    const Program& base, std::string& why);
    bool MergeLinks(Device& device, Device& reference, const Program& base, std::string& why);
    bool SetProc(Device& target, const std::string& name, const std::string* pWanted, const std::string* pHeld);
    bool SetLine(Device& target, const std::string& name, const std::string* pWanted, const std::string* pHeld);
    // Makes a line (a record `holder` no longer holds under its name) on
    // both devices under a new name: `target` can no longer give the old one.
    bool MakeLineAnew(Device& target, Device& holder, const std::string& record, std::string& why);
    bool ReadList(Device& device, TEChannel channel, std::vector<std::string>& records);
    // The device's next line name taken, as a number; -1 without an answer.
    long long TakeLineNumber(Device& device);
    // Makes `device` hold `procs` and `lines`; false with `why` when a
    // request failed or a line cannot get its name there.
    bool Align(Device& device, const std::vector<std::string>& procs, const std::vector<std::string>& lines,
               std::string& why);
    bool AlignProcs(Device& device, const std::vector<std::string>& procs);
    bool AlignLines(Device& device, const std::vector<std::string>& lines, std::string& why);
    // Sets the link texts of `device` that differ from those of `reference`.
    // A device that does not list its links keeps them: true, with nothing done.
    bool AlignLinks(Device& device, Device& reference, std::string& why);
    bool ReadLinks(Device& device, std::vector<std::string>& entries, bool& bListed);
    bool SetLineNamed(Device& device, const std::string& record, long long number, std::string& why);
    // Moves the line-name counters of `device` and `reference` to the same
    // next number, so that both name the next line alike.
    void MatchLineCounters(Device& device, Device& reference);
    int Send(Device& device, TEChannel channel, const std::string& text, std::string* pAnswer = nullptr);
    bool SendLink(Device& device, const std::string& keyword, std::string_view text);
    // A request on a keyword that has no channel of its own.
    int SendKeyword(Device& device, const std::string& keyword, int mode, int type, void* pValue);
    // The write rule of Write, with `send` sending to one device.
    template <class SendTo>
    int WriteToEach(SendTo send, std::string& answer);
    void Clear();

    std::vector<Device*> m_Devices;
    HOSTINFO* m_pRecord = nullptr;
    // The common base: records as the devices list them, and link texts.
    CTEDeviceMirror m_Base;
    Records m_BaseLinks;
    bool m_bHasBase = false;
};

template <class Trace>
bool CTEMirroredDevices::BringBehindIntoLine(Trace trace)
{
    if (!AnyBehind())
        return true;
    Device* pReference = nullptr;
    for (Device* pDevice : m_Devices) {
        if (!pDevice->bBehind && ReadVersion(*pDevice)) {
            pReference = pDevice;
            break;
        }
    }
    std::vector<std::string> procs;
    std::vector<std::string> lines;
    bool bReference = pReference != nullptr && ReadList(*pReference, TE_PROCS, procs) &&
                      ReadList(*pReference, TE_LINES, lines);
    bool bInLine = true;
    for (Device* pDevice : m_Devices) {
        if (!pDevice->bBehind || !ReadVersion(*pDevice))
            continue;
        std::string why = bReference ? std::string() : "no device that holds the program answers";
        bool bAligned = bReference && (m_bHasBase ? Merge(*pDevice, *pReference, why)
                                                  : Align(*pDevice, procs, lines, why) &&
                                                        AlignLinks(*pDevice, *pReference, why));
        if (!bAligned) {
            trace(pDevice->name, why);
            bInLine = false;
            continue;
        }
        MatchLineCounters(*pDevice, *pReference);
        pDevice->bBehind = false;
        trace(pDevice->name, std::string());
    }
    return bInLine;
}
