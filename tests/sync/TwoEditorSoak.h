// Two editors on one device, driven by a seeded random user each: blocks
// created (some placed by the editor), moved with their lines, lines drawn
// with bends, bends dragged, lines recoloured, blocks linked to parameters,
// lines and blocks deleted, and the device falling silent for a while, all
// interleaved with ticks.
// At every quiet point (device answering, both editors ticked until a
// round of ticks changes nothing on the device) both editors and the device must hold the same
// program, and every change a user made since the previous quiet point must
// be on the device, unless the other user deleted what it changed. With a
// connection of several devices, an outage silences all of them or one,
// and at each quiet point every device must hold the first one's program.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sync/DocumentTestSupport.h"

namespace soak {

// What each editor changed since the last quiet point.
struct Changes {
    std::map<std::string, std::string> blockPositions;  // name -> "x,y" last set here
    std::set<std::string> deletedBlocks;
    // Link texts the device took: "<block>.function" or ".connection" -> text;
    // and every link this editor set, taken or not.
    std::map<std::string, std::string> links;
    std::set<std::string> linksTried;
    std::set<std::string> deletedLines;
    // Lines drawn or edited here, while the editor still holds them; when a
    // reload replaces them, their records as sent (name, record without
    // its name) are kept instead.
    std::set<const CLineItem*> liveLines;
    std::vector<std::pair<std::string, std::string>> sentLines;
};

class Run {
public:
    Run(Editor& a, Editor& b, uint32_t seed, std::vector<std::string> devices = {"TE1"})
        : m_random(seed), m_editors{&a, &b}, m_devices(std::move(devices))
    {
    }

    // Runs `steps` random steps; answers the first disagreement found at a
    // quiet point, or an empty text.
    std::string Steps(int steps)
    {
        for (int step = 0; step < steps; ++step) {
            m_nStep = step;
            DoStep();
            if (--m_nUntilQuiet <= 0) {
                std::string fault = QuietPoint();
                if (!fault.empty())
                    return "step " + std::to_string(step) + ": " + fault + "\n  last steps:" + Join({m_log.begin(), m_log.end()});
                m_nUntilQuiet = Pick(5, 40);
            }
        }
        std::string fault = QuietPoint();
        return fault.empty() ? fault : "at the end: " + fault;
    }

    int m_nQuietPoints = 0;
    int m_nOutages = 0;
    int m_nEdits = 0;
    int m_nLineChecks = 0;  // line records checked on the device at quiet points
    int m_nLinkChecks = 0;  // link texts checked likewise

private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    void DoStep()
    {
        if (m_nSilentFor > 0 && --m_nSilentFor == 0)
            SetOnline(true);
        int who = Pick(0, 1);
        Editor& editor = *m_editors[who];
        Changes& changes = m_changes[who];
        int roll = Pick(1, 100);
        Log(std::string(who ? "B" : "A") + " roll " + std::to_string(roll));
        if (roll <= 25) {
            Log("  tick");
            TickEditor(editor, changes);
        } else if (roll <= 40) {
            Create(editor, changes);
        } else if (roll <= 55) {
            Move(editor, changes);
        } else if (roll <= 70) {
            DrawLine(editor, changes);
        } else if (roll <= 80) {
            EditLine(editor, changes);
        } else if (roll <= 84) {
            Link(editor, changes);
        } else if (roll <= 89) {
            DeleteLine(editor, changes);
        } else if (roll <= 95) {
            DeleteBlock(editor, changes);
        } else if (m_nSilentFor == 0 && Chance(50)) {
            m_nSilent = m_devices.size() > 1 && Chance(70) ? Pick(0, static_cast<int>(m_devices.size()) - 1) : -1;
            SetOnline(false);
            m_nSilentFor = Pick(1, 25);
            Log("  silent for " + std::to_string(m_nSilentFor) +
                (m_nSilent >= 0 ? ": " + m_devices[static_cast<size_t>(m_nSilent)] : std::string()));
            m_nOutages++;
        }
    }

    tedevice::TaskEngineDevice& Device() { return corvala::EmbeddedDevice(m_devices[0]); }

    // Ends or starts an outage: of the one device picked, or of all.
    void SetOnline(bool bOnline)
    {
        for (size_t i = 0; i < m_devices.size(); ++i) {
            if (bOnline || m_nSilent < 0 || static_cast<size_t>(m_nSilent) == i)
                corvala::EmbeddedDevice(m_devices[i]).SetDeviceOnline(bOnline);
        }
    }

    // Another device of the connection that does not hold the first one's
    // program, or an empty text.
    std::string DevicesApart()
    {
        for (size_t i = 1; i < m_devices.size(); ++i) {
            tedevice::TaskEngineDevice& other = corvala::EmbeddedDevice(m_devices[i]);
            if (Sorted(other.ProcRecords()) == Sorted(Device().ProcRecords()) &&
                Sorted(other.LineRecords()) == Sorted(Device().LineRecords()) && Links(other) != Links(Device()))
                return "link texts of " + m_devices[i] + " differ from those of " + m_devices[0];
            if (Sorted(other.ProcRecords()) != Sorted(Device().ProcRecords()) ||
                Sorted(other.LineRecords()) != Sorted(Device().LineRecords()))
                return "device " + m_devices[i] + " differs from " + m_devices[0] + ":" +
                       Join(Sorted(other.ProcRecords())) + Join(Sorted(other.LineRecords())) + "\n  " + m_devices[0] +
                       ":" + Join(Sorted(Device().ProcRecords())) + Join(Sorted(Device().LineRecords()));
        }
        return std::string();
    }

    static std::map<std::string, std::pair<std::string, std::string>> Links(tedevice::TaskEngineDevice& device)
    {
        std::map<std::string, std::pair<std::string, std::string>> links;
        for (const tedevice::TEBlock& block : device.Blocks())
            links[block.record.name] = {block.function, block.connection};
        return links;
    }

    // The last steps, for the report of a disagreement.
    void Log(std::string text)
    {
        m_log.push_back(std::to_string(m_nStep) + ' ' + text);
        if (m_log.size() > 60)
            m_log.pop_front();
    }

    static std::string Body(const std::string& record) { return record.substr(record.find(' ')); }
    static std::string Name(const std::string& record) { return record.substr(0, record.find(' ')); }

    // The records of the lines changed here, as they are now.
    static std::vector<std::pair<std::string, std::string>> LiveRecords(const Changes& changes)
    {
        std::vector<std::pair<std::string, std::string>> records;
        for (const CLineItem* pLine : changes.liveLines) {
            std::string record = TEFormatLineRecord(*pLine);
            records.emplace_back(Name(record), Body(record));
        }
        return records;
    }

    static void Keep(Changes& changes, const std::pair<std::string, std::string>& record)
    {
        std::erase_if(changes.sentLines, [&](const auto& kept) { return kept.first == record.first; });
        changes.sentLines.push_back(record);
    }

    void TickEditor(Editor& editor, Changes& changes)
    {
        auto records = LiveRecords(changes);
        int nReloads = editor.m_Page.m_nLineReloads;
        editor.Tick();
        if (editor.m_Page.m_nLineReloads == nReloads)
            return;
        for (const auto& record : records)
            Keep(changes, record);
        changes.liveLines.clear();
    }

    template <class T>
    T* Any(CArray<T*, T*>& list)
    {
        return list.IsEmpty() ? nullptr : list[Pick(0, static_cast<int>(list.GetSize()) - 1)];
    }

    // A free place on a coarse lattice, clear of every block the editor
    // shows, so that no two pins meet.
    bool FreePlace(Editor& editor, CPoint* pPlace)
    {
        for (int tries = 0; tries < 10; ++tries) {
            CPoint place(20 + 140 * Pick(0, 11), 20 + 80 * Pick(0, 19));
            CRect rc(place, CSize(80, 60));
            bool bFree = true;
            for (INT_PTR i = 0; i < editor.m_Document.m_BlockList.GetSize() && bFree; ++i) {
                CRect meet;
                bFree = !meet.IntersectRect(&rc, &editor.m_Document.m_BlockList[i]->m_rcPos);
            }
            if (bFree) {
                *pPlace = place;
                return true;
            }
        }
        return false;
    }

    void Create(Editor& editor, Changes& changes)
    {
        static const char* const kKeys[] = {"CTEProcIN_0", "CTEProcOUT_0", "CTEProcFUNC_2xPLUS", "CTEProcFUNC_3xMUL",
                                            "CTEProcRTC_0xClock"};
        if (editor.m_Document.m_BlockList.GetSize() >= 60)
            return;
        CPoint place(-1, -1);
        if (!Chance(10) && !FreePlace(editor, &place))
            return;
        CTETrackObject* pBlock = editor.Create(kKeys[Pick(0, 4)], place.x, place.y);
        if (pBlock == nullptr)
            return;
        Log(std::string("  create ") + NameOf(pBlock));
        changes.blockPositions[NameOf(pBlock)] = PositionOf(pBlock);
        m_nEdits++;
    }

    static std::string NameOf(const CTrackObject* pBlock) { return std::string(pBlock->m_szName.c_str()); }

    static std::string PositionOf(const CTrackObject* pBlock)
    {
        return std::to_string(pBlock->m_rcPos.left) + ',' + std::to_string(pBlock->m_rcPos.top);
    }

    // As the canvas moves a block: its rectangle, and the ends of the lines
    // on its pins, which are then sent too.
    void Move(Editor& editor, Changes& changes)
    {
        CTrackObject* pBlock = Any(editor.m_Document.m_BlockList);
        CPoint place;
        if (pBlock == nullptr || !FreePlace(editor, &place))
            return;
        CRect rc = pBlock->m_rcPos;
        rc.MoveToXY(place);
        pBlock->SetPosition(rc);
        pBlock->m_bMoved = TRUE;
        for (INT_PTR i = 0; i < editor.m_Document.m_LineList.GetSize(); ++i) {
            CLineItem* pLine = editor.m_Document.m_LineList[i];
            bool bFromSource = pLine->m_nDirection == LINE_DIRECTION_FROM_SOURCE;
            POINT pt;
            if (pLine->m_pSource == pBlock &&
                pBlock->GetPinPoint(PIN_SIDE_OUTPUT, static_cast<UINT>(pLine->m_nSourcePin - PIN_OUTPUT_BASE), &pt) == 1)
                (bFromSource ? pLine->GetFirstPoint() : pLine->GetLastPoint()) = pt;
            if (pLine->m_pTarget == pBlock &&
                pBlock->GetPinPoint(PIN_SIDE_INPUT, static_cast<UINT>(pLine->m_nTargetPin), &pt) == 1)
                (bFromSource ? pLine->GetLastPoint() : pLine->GetFirstPoint()) = pt;
            if (pLine->m_pSource == pBlock || pLine->m_pTarget == pBlock)
                pLine->m_bModified = 1;
        }
        changes.blockPositions[NameOf(pBlock)] = PositionOf(pBlock);
        Log("  move " + NameOf(pBlock) + " to " + PositionOf(pBlock));
        m_nEdits++;
    }

    static bool HasFreeSlot(CTrackObject* pBlock, TrackPin& pin) { return pBlock->FindFreeLineSlot(&pin) >= 0; }

    void DrawLine(Editor& editor, Changes& changes)
    {
        CTrackObject* pFrom = Any(editor.m_Document.m_BlockList);
        CTrackObject* pTo = Any(editor.m_Document.m_BlockList);
        if (pFrom == nullptr || pFrom == pTo || pFrom->m_nOutputs == 0 || pTo->m_nInputs == 0)
            return;
        UINT out = static_cast<UINT>(Pick(0, static_cast<int>(pFrom->m_nOutputs) - 1));
        UINT in = static_cast<UINT>(Pick(0, static_cast<int>(pTo->m_nInputs) - 1));
        if (!HasFreeSlot(pFrom, pFrom->m_pOutputs[out]) || !HasFreeSlot(pTo, pTo->m_pInputs[in]))
            return;
        CPoint from = PinPoint(pFrom, PIN_SIDE_OUTPUT, out);
        CPoint to = PinPoint(pTo, PIN_SIDE_INPUT, in);
        std::vector<CPoint> points{from};
        int nBends = Pick(0, 3);
        for (int i = 0; i < nBends; ++i)
            points.emplace_back(Pick(0, 1700), Pick(0, 1600));
        points.push_back(to);
        // Drawn from either end, as users do.
        bool bFromInput = Chance(30);
        if (bFromInput)
            std::reverse(points.begin(), points.end());
        auto pLine = std::make_unique<CLineItem>();
        for (CPoint pt : points)
            pLine->AddPoint(pt.x, pt.y);
        pLine->SetColor(RGB(Pick(0, 255), 0, 0));
        CLineItem* pDrawn = bFromInput ? editor.Hand(std::move(pLine), pTo, pFrom) : editor.Hand(std::move(pLine), pFrom, pTo);
        if (pDrawn != nullptr) {
            Log("  draw " + TEFormatLineRecord(*pDrawn));
            changes.liveLines.insert(pDrawn);
            m_nEdits++;
        }
    }

    void EditLine(Editor& editor, Changes& changes)
    {
        CLineItem* pLine = Any(editor.m_Document.m_LineList);
        if (pLine == nullptr || pLine->m_pParent != nullptr)
            return;
        // What this user sent of the line before is replaced by this edit,
        // even when the device has renamed the line since.
        ForgetSent(changes, *pLine);
        if (pLine->m_nPoints > 2 && Chance(70))
            pLine->MovePoint(Pick(0, 1700), Pick(0, 1600), Pick(1, pLine->m_nPoints - 2));
        else
            pLine->SetColor(RGB(0, Pick(0, 255), 0));
        pLine->m_bModified = 1;
        changes.liveLines.insert(pLine);
        m_nEdits++;
    }

    // As the property window links a block: a function or a connection
    // text, kept when the device took it.
    void Link(Editor& editor, Changes& changes)
    {
        auto* pBlock = static_cast<CTETrackObject*>(Any(editor.m_Document.m_BlockList));
        if (pBlock == nullptr)
            return;
        std::string text = Chance(10) ? std::string() : "P" + std::to_string(Pick(0, 999));
        bool bFunction = Chance(50);
        std::string key = NameOf(pBlock) + (bFunction ? ".function" : ".connection");
        CTEText& field = bFunction ? pBlock->m_szFunction : pBlock->m_szConnection;
        bool bWasEmpty = field.empty();
        BOOL bAnswer = bFunction ? pBlock->SetFunction(text.c_str()) : pBlock->SetConnection(text.c_str());
        // An emptied text answers 0 whether the device took it or not; the
        // field tells, unless it was empty already.
        bool bTaken = text.empty() ? !bWasEmpty && field.empty() : bAnswer != 0;
        Log("  link " + key + " " + text + (bTaken ? "" : " (not known to be taken)"));
        changes.linksTried.insert(key);
        if (bTaken)
            changes.links[key] = text;
        else
            changes.links.erase(key);
        m_nEdits++;
    }

    static void ForgetSent(Changes& changes, const CLineItem& line)
    {
        std::string body = Body(TEFormatLineRecord(line));
        std::erase_if(changes.sentLines, [&](const auto& kept) { return kept.first == line.m_szName || kept.second == body; });
    }

    static void Forget(Changes& changes, CLineItem* pLine)
    {
        changes.liveLines.erase(pLine);
        ForgetSent(changes, *pLine);
        changes.deletedLines.insert(pLine->m_szName);
    }

    void DeleteLine(Editor& editor, Changes& changes)
    {
        CLineItem* pLine = Any(editor.m_Document.m_LineList);
        if (pLine == nullptr)
            return;
        Log(std::string("  delete line ") + pLine->m_szName);
        Forget(changes, pLine);
        editor.m_Document.DeleteLine(pLine);
        m_nEdits++;
    }

    // As the canvas deletes a block: its lines first.
    void DeleteBlock(Editor& editor, Changes& changes)
    {
        CTrackObject* pBlock = Any(editor.m_Document.m_BlockList);
        if (pBlock == nullptr)
            return;
        CArray<CLineItem*, CLineItem*>& lines = editor.m_Document.m_LineList;
        for (INT_PTR i = lines.GetSize() - 1; i >= 0; --i) {
            if (i < lines.GetSize() && (lines[i]->m_pSource == pBlock || lines[i]->m_pTarget == pBlock)) {
                Forget(changes, lines[i]);
                editor.m_Document.DeleteLine(lines[i]);
            }
        }
        Log(std::string("  delete block ") + NameOf(pBlock));
        changes.deletedBlocks.insert(NameOf(pBlock));
        changes.blockPositions.erase(NameOf(pBlock));
        editor.m_Document.DeleteBlock(pBlock);
        m_nEdits++;
    }

    // ---- The quiet point ----

    std::vector<std::string> DeviceProgram()
    {
        std::vector<std::string> program;
        for (const std::string& name : m_devices) {
            tedevice::TaskEngineDevice& device = corvala::EmbeddedDevice(name);
            for (const std::string& record : device.ProcRecords())
                program.push_back(record);
            for (const std::string& line : device.LineRecords())
                program.push_back(line);
        }
        return program;
    }

    static std::vector<std::string> Sorted(std::vector<std::string> texts)
    {
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    static std::string Join(const std::vector<std::string>& texts)
    {
        std::string all;
        for (const std::string& text : texts)
            all += "\n    " + text;
        return all;
    }

    std::string QuietPoint()
    {
        m_nSilentFor = 0;
        SetOnline(true);
        // What each user's changed lines look like before the ticks send
        // them (the device names new lines, so names are left out).
        std::vector<std::string> expectedLines[2];
        for (int who = 0; who < 2; ++who) {
            for (const auto& record : LiveRecords(m_changes[who]))
                Keep(m_changes[who], record);
            for (const auto& record : m_changes[who].sentLines)
                expectedLines[who].push_back(record.second);
            m_nLineChecks += static_cast<int>(expectedLines[who].size());
        }
        Editor& a = *m_editors[0];
        Editor& b = *m_editors[1];
        // Each editor ticks until a round of ticks changes nothing on the
        // device: what one sends (a line cleared off a deleted block, say)
        // the other must have seen.
        for (int round = 0; round < 5; ++round) {
            std::vector<std::string> before = DeviceProgram();
            a.Tick();
            b.Tick();
            if (DeviceProgram() == before)
                break;
        }
        m_nQuietPoints++;
        if (std::string apart = DevicesApart(); !apart.empty())
            return apart;

        std::vector<std::string> device = Sorted(Device().ProcRecords());
        std::vector<std::string> deviceLines = Sorted(Device().LineRecords());
        for (Editor* pEditor : m_editors) {
            const char* who = pEditor == &a ? "A" : "B";
            std::vector<std::string> positions = Sorted(pEditor->Positions());
            std::vector<std::string> devicePositions;
            for (const std::string& record : device)
                devicePositions.push_back(record.substr(record.find(' ') + 1));
            if (positions != Sorted(devicePositions))
                return std::string("blocks of ") + who + " differ from the device:" + Join(positions) + "\n  device:" +
                       Join(devicePositions);
            if (Sorted(pEditor->LineRecords()) != deviceLines)
                return std::string("lines of ") + who + " differ from the device:" + Join(Sorted(pEditor->LineRecords())) +
                       "\n  device:" + Join(deviceLines);
            if (pEditor->m_Document.CountWaitingEdits() != 0 || pEditor->m_Document.IsDeviceSilent())
                return std::string(who) + " still has changes waiting";
        }
        std::string lost = LostChanges(expectedLines, device, deviceLines);
        m_changes[0] = Changes();
        m_changes[1] = Changes();
        return lost;
    }

    // A change is lost when it is not on the device, unless the other user
    // deleted or changed what it changed.
    std::string LostChanges(const std::vector<std::string> (&expectedLines)[2], const std::vector<std::string>& device,
                            const std::vector<std::string>& deviceLines)
    {
        std::map<std::string, std::string> onDevice;
        for (const std::string& record : device) {
            size_t blank = record.find(' ');
            std::string rest = record.substr(blank + 1);
            onDevice[rest.substr(0, rest.find(' '))] = rest.substr(rest.find(' ') + 1);
        }
        std::multiset<std::string> bodies;
        for (const std::string& record : deviceLines)
            bodies.insert(Body(record));
        std::map<std::string, std::string> links;
        for (const auto& [block, texts] : Links(Device())) {
            links[block + ".function"] = texts.first;
            links[block + ".connection"] = texts.second;
        }
        std::set<std::string> deleted;
        for (const Changes& c : m_changes)
            deleted.insert(c.deletedBlocks.begin(), c.deletedBlocks.end());
        for (int who = 0; who < 2; ++who) {
            const Changes& mine = m_changes[who];
            const Changes& theirs = m_changes[1 - who];
            for (const auto& [name, position] : mine.blockPositions) {
                if (deleted.count(name) != 0)
                    continue;
                auto it = onDevice.find(name);
                bool bTheirsToo = theirs.blockPositions.count(name) != 0;
                // Another editor may have taken the name while the device
                // was silent: the block was renamed, and another has it.
                if ((it == onDevice.end() || it->second != position) && RenamedOnDevice(onDevice, name, position))
                    continue;
                if (it == onDevice.end())
                    return "block " + name + " of " + (who ? "B" : "A") + " is lost";
                if (it->second != position && !(bTheirsToo && it->second == theirs.blockPositions.at(name)))
                    return "move of " + name + " to " + position + " by " + (who ? "B" : "A") + " is lost (device: " +
                           it->second + ")";
            }
            for (const auto& [key, text] : mine.links) {
                std::string block = key.substr(0, key.rfind('.'));
                if (deleted.count(block) != 0 || theirs.linksTried.count(key) != 0)
                    continue;
                auto held = links.find(key);
                m_nLinkChecks++;
                if (held != links.end() && held->second != text)
                    return "link " + key + " = " + text + " by " + (who ? "B" : "A") + " is lost (device: " +
                           held->second + ")";
            }
            for (const std::string& body : expectedLines[who]) {
                bool bTouchesDeleted = std::any_of(deleted.begin(), deleted.end(), [&](const std::string& name) {
                    return body.find(' ' + name + '.') != std::string::npos;
                });
                // Both users changed lines: the later sent wins.
                bool bTheyChangedLines = !theirs.liveLines.empty() || !theirs.sentLines.empty() ||
                                         !theirs.deletedLines.empty();
                if (bodies.count(body) == 0 && !bTouchesDeleted && !bTheyChangedLines && !MovedByThem(theirs, body))
                    return std::string("line change by ") + (who ? "B" : "A") + " is lost:\n    " + body;
            }
        }
        return std::string();
    }

    // A block made while the device was silent, whose name another editor
    // took meanwhile, is renamed: same stem, same place.
    static bool RenamedOnDevice(const std::map<std::string, std::string>& onDevice, const std::string& name,
                                const std::string& position)
    {
        std::string stem = name.substr(0, name.find_last_not_of("0123456789") + 1);
        return std::any_of(onDevice.begin(), onDevice.end(), [&](const auto& entry) {
            return entry.first != name && entry.first.starts_with(stem) && entry.second == position;
        });
    }

    // A line on a block the other user moved was sent again by the other
    // user with that block's new pin.
    static bool MovedByThem(const Changes& theirs, const std::string& body)
    {
        for (const auto& entry : theirs.blockPositions)
            if (body.find(' ' + entry.first + '.') != std::string::npos)
                return true;
        return false;
    }

    std::mt19937 m_random;
    Editor* m_editors[2];
    Changes m_changes[2];
    int m_nStep = 0;
    int m_nUntilQuiet = 10;
    int m_nSilentFor = 0;
    int m_nSilent = -1;  // the device silenced, or -1 for all of them
    std::vector<std::string> m_devices;
    std::deque<std::string> m_log;
};

}  // namespace soak
