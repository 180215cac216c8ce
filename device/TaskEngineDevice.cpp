#include "TaskEngineDevice.h"

#include <random>

#include "TESafeName.h"

namespace tedevice {

namespace {

constexpr size_t kMaxLinkText = 4095;  // what one text request can carry
constexpr uint32_t kProgramVersionMask = 0x7fffffff;  // versions stay non-negative ints

}  // namespace

TaskEngineDevice::TaskEngineDevice()
{
    std::random_device random;
    m_nProgramVersion = random() & kProgramVersionMask;
}

void TaskEngineDevice::ProgramChanged()
{
    m_nProgramVersion = (m_nProgramVersion + 1) & kProgramVersionMask;
}

long TaskEngineDevice::Find(const NameIndex& index, std::string_view name)
{
    auto it = index.find(name);
    return it == index.end() ? -1 : static_cast<long>(it->second);
}

void TaskEngineDevice::Forget(NameIndex& index, size_t position, std::string_view name)
{
    index.erase(index.find(name));
    for (auto& entry : index)
        if (entry.second > position)
            --entry.second;
}

const TaskEngineDevice::KeywordEntry TaskEngineDevice::kKeywords[] = {
    {"TESafeProcName", TE_READ, TE_TEXT, &TaskEngineDevice::SafeProcName, false},
    {"TESafeLineName", TE_READ, TE_TEXT, &TaskEngineDevice::SafeLineName, false},
    {"TESetProc", TE_WRITE, TE_TEXT, &TaskEngineDevice::SetProc, true},
    {"TESetLine", TE_WRITE, TE_TEXT, &TaskEngineDevice::SetLine, true},
    {"TEProcs", TE_READ, TE_LIST, &TaskEngineDevice::Procs, false},
    {"TELines", TE_READ, TE_LIST, &TaskEngineDevice::Lines, false},
    {"TENrOfProcs", TE_READ, TE_INT, &TaskEngineDevice::NrOfProcs, false},
    {"TENrOfLines", TE_READ, TE_INT, &TaskEngineDevice::NrOfLines, false},
    {"DelTEProc", TE_WRITE, TE_TEXT, &TaskEngineDevice::DelProc, true},
    {"DelTELine", TE_WRITE, TE_TEXT, &TaskEngineDevice::DelLine, true},
    {"TEUpdateProc", TE_WRITE, TE_TEXT, &TaskEngineDevice::UpdateProc, true},
    {"TEUpdateLine", TE_WRITE, TE_TEXT, &TaskEngineDevice::UpdateLine, true},
    {"TEProgramVersion", TE_READ, TE_INT, &TaskEngineDevice::ReadProgramVersion, false},
    {"TELinks", TE_READ, TE_LIST, &TaskEngineDevice::Links, false},
};

int TaskEngineDevice::Request(std::string_view keyword, int mode, int type, TEValue& value)
{
    if (!m_bLogging)
        return Answer(keyword, mode, type, value);
    TERequestRecord record{std::string(keyword), mode, type, type == TE_TEXT ? value.text : std::string()};
    record.status = Answer(keyword, mode, type, value);
    m_RequestLog.push_back(std::move(record));
    return m_RequestLog.back().status;
}

int TaskEngineDevice::Answer(std::string_view keyword, int mode, int type, TEValue& value)
{
    if (!m_bOnline)
        return TE_FAILED;
    for (const KeywordEntry& entry : kKeywords) {
        if (entry.keyword != keyword)
            continue;
        if (entry.mode != mode || entry.type != type)
            return TE_FAILED;
        int status = (this->*entry.handler)(value);
        if (status == TE_OK && entry.changesProgram)
            ProgramChanged();
        return status;
    }
    if (keyword.starts_with("Param."))
        return ParameterRequest(keyword.substr(6), mode, type, value);
    return BlockRequest(keyword, mode, type, value);
}

// "Param.<name>": a parameter read or set from outside the program.
int TaskEngineDevice::ParameterRequest(std::string_view name, int mode, int type, TEValue& value)
{
    if (type != TE_DOUBLE)
        return TE_FAILED;
    if (mode == TE_WRITE)
        return m_Parameters.Set(name, value.real) ? TE_OK : TE_FAILED;
    auto current = m_Parameters.Value(name);
    if (mode != TE_READ || !current)
        return TE_FAILED;
    value.real = *current;
    return TE_OK;
}

// "TE.<block>.function", ".connection", ".online" and ".Value".
int TaskEngineDevice::BlockRequest(std::string_view keyword, int mode, int type, TEValue& value)
{
    if (!keyword.starts_with("TE."))
        return TE_FAILED;
    std::string_view rest = keyword.substr(3);
    size_t point = rest.find('.');
    if (point == std::string_view::npos)
        return TE_FAILED;
    TEBlock* block = BlockNamed(rest.substr(0, point));
    std::string_view item = rest.substr(point + 1);
    if (!block)
        return TE_FAILED;

    if (item == "function" || item == "connection") {
        std::string& link = item == "function" ? block->function : block->connection;
        if (type != TE_TEXT)
            return TE_FAILED;
        if (mode == TE_READ) {
            value.text = link;
            return TE_OK;
        }
        if (mode != TE_WRITE || value.text.size() > kMaxLinkText)
            return TE_FAILED;
        link = value.text;
        return TE_OK;
    }
    if (mode != TE_READ)
        return TE_FAILED;
    if (item == "online" && type == TE_INT) {
        value.number = block->online;
        return TE_OK;
    }
    if (item == "Value" && type == TE_DOUBLE) {
        if (block->valueStatus != TE_OK)
            return block->valueStatus;
        value.real = block->value;
        return TE_OK;
    }
    return TE_FAILED;
}

int TaskEngineDevice::SafeProcName(TEValue& value)
{
    if (!IsValidBlockName(value.text))
        return TE_FAILED;
    value.text = MakeSafeBlockName(value.text, [this](std::string_view name) { return IsBlockNameTaken(name); });
    return TE_OK;
}

int TaskEngineDevice::SafeLineName(TEValue& value)
{
    value.text = MakeLineName(m_nNextLine++);
    return TE_OK;
}

int TaskEngineDevice::SetProc(TEValue& value)
{
    auto record = ParseProcRecord(value.text);
    if (!record || IsBlockNameTaken(record->name) || m_Blocks.size() >= kMaxProcs)
        return TE_FAILED;
    TEBlock block;
    block.record = *record;
    m_BlockIndex.emplace(block.record.name, m_Blocks.size());
    m_Blocks.push_back(block);
    return TE_OK;
}

int TaskEngineDevice::SetLine(TEValue& value)
{
    auto record = ParseLineRecord(value.text);
    if (!record || m_Lines.size() >= kMaxLines)
        return TE_FAILED;
    record->name = MakeLineName(m_nNextLine++);
    m_LineIndex.emplace(record->name, m_Lines.size());
    m_Lines.push_back(*record);
    value.text = record->name;
    return TE_OK;
}

int TaskEngineDevice::Procs(TEValue& value)
{
    value.list = ProcRecords();
    return TE_OK;
}

int TaskEngineDevice::Lines(TEValue& value)
{
    value.list = LineRecords();
    return TE_OK;
}

// Three entries a block, in the order stored: name, function text,
// connection text. Entries rather than one record a block, so that a link
// text needs no quoting whatever it holds.
int TaskEngineDevice::Links(TEValue& value)
{
    value.list.clear();
    value.list.reserve(m_Blocks.size() * 3);
    for (const TEBlock& block : m_Blocks) {
        value.list.push_back(block.record.name);
        value.list.push_back(block.function);
        value.list.push_back(block.connection);
    }
    return TE_OK;
}

int TaskEngineDevice::NrOfProcs(TEValue& value)
{
    value.number = static_cast<int>(m_Blocks.size());
    return TE_OK;
}

int TaskEngineDevice::ReadProgramVersion(TEValue& value)
{
    value.number = ProgramVersion();
    return TE_OK;
}

int TaskEngineDevice::NrOfLines(TEValue& value)
{
    value.number = static_cast<int>(m_Lines.size());
    return TE_OK;
}

int TaskEngineDevice::DelProc(TEValue& value)
{
    long position = Find(m_BlockIndex, value.text);
    if (position < 0)
        return TE_FAILED;
    Forget(m_BlockIndex, position, value.text);
    m_Blocks.erase(m_Blocks.begin() + position);
    return TE_OK;
}

int TaskEngineDevice::DelLine(TEValue& value)
{
    long position = Find(m_LineIndex, value.text);
    if (position < 0)
        return TE_FAILED;
    Forget(m_LineIndex, position, value.text);
    m_Lines.erase(m_Lines.begin() + position);
    return TE_OK;
}

int TaskEngineDevice::UpdateProc(TEValue& value)
{
    auto update = ParsePositionUpdate(value.text);
    TEBlock* block = update ? BlockNamed(update->name) : nullptr;
    if (!block)
        return TE_FAILED;
    block->record.x = update->x;
    block->record.y = update->y;
    return TE_OK;
}

int TaskEngineDevice::UpdateLine(TEValue& value)
{
    auto record = ParseLineRecord(value.text);
    TELineRecord* line = record ? LineNamed(record->name) : nullptr;
    if (!line)
        return TE_FAILED;
    *line = *record;  // same name: the index stays right
    return TE_OK;
}

std::vector<std::string> TaskEngineDevice::ProcRecords() const
{
    std::vector<std::string> records;
    for (const TEBlock& block : m_Blocks)
        records.push_back(FormatProcRecord(block.record));
    return records;
}

std::vector<std::string> TaskEngineDevice::LineRecords() const
{
    std::vector<std::string> records;
    for (const TELineRecord& line : m_Lines)
        records.push_back(FormatLineRecord(line));
    return records;
}

const TEBlock* TaskEngineDevice::FindBlock(std::string_view name) const
{
    long position = Find(m_BlockIndex, name);
    return position < 0 ? nullptr : &m_Blocks[position];
}

TEBlock* TaskEngineDevice::BlockNamed(std::string_view name)
{
    long position = Find(m_BlockIndex, name);
    return position < 0 ? nullptr : &m_Blocks[position];
}

TELineRecord* TaskEngineDevice::LineNamed(std::string_view name)
{
    long position = Find(m_LineIndex, name);
    return position < 0 ? nullptr : &m_Lines[position];
}

bool TaskEngineDevice::IsBlockNameTaken(std::string_view name) const
{
    return FindBlock(name) != nullptr;
}

bool TaskEngineDevice::SetBlockValue(std::string_view name, double value)
{
    TEBlock* block = BlockNamed(name);
    if (block)
        block->value = value;
    return block != nullptr;
}

bool TaskEngineDevice::SetBlockValueStatus(std::string_view name, int status)
{
    TEBlock* block = BlockNamed(name);
    if (block)
        block->valueStatus = status;
    return block != nullptr;
}

void TaskEngineDevice::SetBlockResult(size_t position, double value, int status)
{
    if (position >= m_Blocks.size())
        return;
    m_Blocks[position].value = value;
    m_Blocks[position].valueStatus = status;
}

bool TaskEngineDevice::RestoreLine(const TELineRecord& line)
{
    if (!IsValidLineName(line.name) || LineNamed(line.name) || m_Lines.size() >= kMaxLines)
        return false;
    m_LineIndex.emplace(line.name, m_Lines.size());
    m_Lines.push_back(line);
    ProgramChanged();
    return true;
}

bool TaskEngineDevice::SetBlockOnline(std::string_view name, int online)
{
    TEBlock* block = BlockNamed(name);
    if (block)
        block->online = online;
    return block != nullptr;
}

}  // namespace tedevice
