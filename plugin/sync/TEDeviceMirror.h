// What the editor knows the device holds: the proc and line records as the
// device last listed them, with every change the editor itself got accepted
// since applied the way the device applies it. On each tick the device's
// lists are compared with it: any difference was made by someone else (or
// by a record the device wrote back differently), and only then is the
// program read again. Counts alone miss a block moved, or deleted and
// created again under its name, by another editor.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Corvala.h"
#include "shell/TEChannels.h"

class CTEDeviceMirror {
public:
    // Takes the device's lists as they were read.
    void SetProcs(const STRINGLIST* pRecords) { Assign(m_Procs, pRecords); }
    void SetLines(const STRINGLIST* pRecords) { Assign(m_Lines, pRecords); }
    void Set(std::vector<std::string> procs, std::vector<std::string> lines)
    {
        m_Procs = std::move(procs);
        m_Lines = std::move(lines);
    }
    void Clear();

    // Applies a write the device accepted: the text sent and, for a new
    // line, the name the device answered.
    void Apply(TEChannel channel, const std::string& text, const std::string& answer);

    bool SameProcs(const STRINGLIST& records) const { return Same(m_Procs, records); }
    bool SameLines(const STRINGLIST& records) const { return Same(m_Lines, records); }
    // Whether the device held a block or line of that name when last seen.
    bool HasProc(std::string_view name) const { return FindProc(name) >= 0; }
    bool HasLine(std::string_view name) const { return FindLine(name) >= 0; }

    // Whether `records` (a device's list of the kind the channel deletes)
    // hold the record of that name exactly as this mirror does.
    bool SameRecord(TEChannel channel, std::string_view name, const STRINGLIST& records) const;

    // Whether a line record has an anchor on the block of that name.
    bool LinesAnchorOn(std::string_view blockName) const;

    const std::vector<std::string>& Procs() const { return m_Procs; }
    const std::vector<std::string>& Lines() const { return m_Lines; }

private:
    static void Assign(std::vector<std::string>& texts, const STRINGLIST* pRecords);
    static bool Same(const std::vector<std::string>& texts, const STRINGLIST& records);
    long FindProc(std::string_view name) const;
    long FindLine(std::string_view name) const;
    void MoveProc(std::string_view update);
    void ReplaceLine(const std::string& record);

    std::vector<std::string> m_Procs;  // "<type key> <name> <x>,<y>", in the device's order
    std::vector<std::string> m_Lines;  // line records, in the device's order
};
