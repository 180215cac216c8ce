#include "TEProgramRun.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "TEOperators.h"

namespace tedevice {

namespace {

constexpr int kNone = -1;
// Far more pins than a block on a canvas can show; bounds the work a
// stored type key can ask for.
constexpr int kMaxFunctionInputs = 1024;

struct Anchor {
    enum Kind { In, Out, Node, Other };
    std::string_view object;
    Kind kind = Other;
    int index = 0;
};

bool ReadIndex(std::string_view text, int& index)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() && index >= 0;
}

// Anchors are the only position tokens with a point.
std::optional<Anchor> ReadAnchor(std::string_view token)
{
    size_t point = token.find('.');
    if (point == std::string_view::npos)
        return std::nullopt;
    Anchor anchor{token.substr(0, point)};
    std::string_view suffix = token.substr(point + 1);
    const std::pair<std::string_view, Anchor::Kind> kinds[] = {{"In", Anchor::In}, {"Out", Anchor::Out}, {"Node", Anchor::Node}};
    for (auto [prefix, kind] : kinds)
        if (suffix.starts_with(prefix) && ReadIndex(suffix.substr(prefix.size()), anchor.index))
            anchor.kind = kind;
    return anchor;
}

struct BlockPlan {
    TEBlockKind kind = TEBlockKind::In;
    std::string_view operatorName;
    std::vector<int> inputs;  // source block of each input pin, or kNone
};

struct Result {
    double value = 0.0;
    int status = TE_FAILED;
};

// Who feeds whom: the blocks' input pins resolved along the lines.
class ProgramGraph {
public:
    explicit ProgramGraph(const TaskEngineDevice& device) : m_Device(device)
    {
        const auto& blocks = device.Blocks();
        m_Plans.resize(blocks.size());
        for (size_t i = 0; i < blocks.size(); ++i) {
            m_BlockIndex.emplace(blocks[i].record.name, static_cast<int>(i));
            PlanBlock(blocks[i], m_Plans[i]);
        }
        const auto& lines = device.Lines();
        for (size_t i = 0; i < lines.size(); ++i)
            m_LineIndex.emplace(lines[i].name, static_cast<int>(i));
        m_LineSource.assign(lines.size(), kUnresolved);
        for (size_t i = 0; i < lines.size(); ++i)
            WireLine(static_cast<int>(i));
    }

    std::vector<BlockPlan>& Plans() { return m_Plans; }

private:
    static constexpr int kUnresolved = -2;
    static constexpr int kResolving = -3;

    static void PlanBlock(const TEBlock& block, BlockPlan& plan)
    {
        auto key = ParseTypeKey(block.record.typeKey);
        if (!key)
            return;
        plan.kind = key->kind;
        int pins = 0;
        if (key->kind == TEBlockKind::Func) {
            pins = std::clamp(key->number, 0, kMaxFunctionInputs);
            plan.operatorName = block.record.typeKey;
            plan.operatorName.remove_prefix(plan.operatorName.find('x') + 1);
        } else if (key->kind == TEBlockKind::Out) {
            pins = 1;
        }
        plan.inputs.assign(pins, kNone);
    }

    int BlockNamed(std::string_view name) const
    {
        auto it = m_BlockIndex.find(name);
        return it == m_BlockIndex.end() ? kNone : it->second;
    }

    // A line's source: the block of its output anchor, or for a branch line
    // the source of the line it starts on.
    int LineSource(int line)
    {
        if (m_LineSource[line] == kResolving)
            return kNone;  // branch lines that start on each other
        if (m_LineSource[line] != kUnresolved)
            return m_LineSource[line];
        m_LineSource[line] = kResolving;
        int source = kNone;
        for (const Anchor& anchor : Anchors(line)) {
            if (anchor.kind == Anchor::Out) {
                source = BlockNamed(anchor.object);
            } else if (anchor.kind == Anchor::Node) {
                auto parent = m_LineIndex.find(anchor.object);
                if (parent != m_LineIndex.end())
                    source = LineSource(parent->second);
            }
        }
        return m_LineSource[line] = source;
    }

    std::vector<Anchor> Anchors(int line) const
    {
        std::vector<Anchor> anchors;
        const auto& positions = m_Device.Lines()[line].positions;
        for (size_t i : {size_t(0), positions.size() - 1}) {
            if (i >= positions.size() || (i > 0 && positions.size() == 1))
                continue;
            if (auto anchor = ReadAnchor(positions[i]))
                anchors.push_back(*anchor);
        }
        return anchors;
    }

    // The first line into an input pin drives it.
    void WireLine(int line)
    {
        int source = LineSource(line);
        for (const Anchor& anchor : Anchors(line)) {
            int target = anchor.kind == Anchor::In ? BlockNamed(anchor.object) : kNone;
            if (source == kNone || target == kNone)
                continue;
            auto& inputs = m_Plans[target].inputs;
            if (anchor.index < static_cast<int>(inputs.size()) && inputs[anchor.index] == kNone)
                inputs[anchor.index] = source;
        }
    }

    const TaskEngineDevice& m_Device;
    std::vector<BlockPlan> m_Plans;
    std::unordered_map<std::string_view, int> m_BlockIndex;
    std::unordered_map<std::string_view, int> m_LineIndex;
    std::vector<int> m_LineSource;
};

// Strongly connected components of the feed graph (Tarjan, without
// recursion so that a long chain cannot exhaust the stack), upstream first.
class Components {
public:
    explicit Components(const std::vector<BlockPlan>& plans) : m_Plans(plans)
    {
        size_t n = plans.size();
        m_Order.assign(n, kNone);
        m_Low.assign(n, 0);
        m_OnStack.assign(n, false);
        m_Component.assign(n, kNone);
        for (size_t i = 0; i < n; ++i)
            if (m_Order[i] == kNone)
                Visit(static_cast<int>(i));
    }

    // Components upstream first; each lists its blocks.
    const std::vector<std::vector<int>>& Upstream() const { return m_Components; }
    int ComponentOf(int block) const { return m_Component[block]; }

private:
    void Visit(int root)
    {
        // Each frame: block and the next input pin to follow.
        std::vector<std::pair<int, size_t>> frames{{root, 0}};
        Enter(root);
        while (!frames.empty()) {
            auto& [block, pin] = frames.back();
            const auto& inputs = m_Plans[block].inputs;
            if (pin < inputs.size()) {
                int source = inputs[pin++];
                if (source == kNone)
                    continue;
                if (m_Order[source] == kNone) {
                    Enter(source);
                    frames.emplace_back(source, 0);
                } else if (m_OnStack[source]) {
                    m_Low[block] = std::min(m_Low[block], m_Order[source]);
                }
                continue;
            }
            int done = block;
            frames.pop_back();
            if (!frames.empty())
                m_Low[frames.back().first] = std::min(m_Low[frames.back().first], m_Low[done]);
            if (m_Low[done] == m_Order[done])
                PopComponent(done);
        }
    }

    void Enter(int block)
    {
        m_Order[block] = m_Low[block] = m_nNext++;
        m_Stack.push_back(block);
        m_OnStack[block] = true;
    }

    // Inputs are followed upstream, so components close sources first.
    void PopComponent(int head)
    {
        std::vector<int> component;
        int block;
        do {
            block = m_Stack.back();
            m_Stack.pop_back();
            m_OnStack[block] = false;
            m_Component[block] = static_cast<int>(m_Components.size());
            component.push_back(block);
        } while (block != head);
        m_Components.push_back(std::move(component));
    }

    const std::vector<BlockPlan>& m_Plans;
    std::vector<int> m_Order, m_Low, m_Component;
    std::vector<bool> m_OnStack;
    std::vector<int> m_Stack;
    std::vector<std::vector<int>> m_Components;
    int m_nNext = 0;
};

std::string ParameterName(const TEBlock& block)
{
    if (block.connection.empty() || block.function.empty())
        return {};
    return block.connection + '.' + block.function;
}

Result FromOptional(std::optional<double> value)
{
    return value ? Result{*value, TE_OK} : Result{};
}

}  // namespace

std::optional<double> ClockValue(std::string_view item, std::time_t now)
{
    std::tm time{};
    if (!gmtime_r(&now, &time))
        return std::nullopt;
    const std::pair<std::string_view, int> items[] = {
        {"Second", time.tm_sec},   {"Minute", time.tm_min},        {"Hour", time.tm_hour},
        {"Day", time.tm_mday},     {"Month", time.tm_mon + 1},     {"Year", time.tm_year + 1900},
        {"Weekday", time.tm_wday}, {"DayOfYear", time.tm_yday + 1},
    };
    for (auto [name, value] : items)
        if (name == item)
            return value;
    return std::nullopt;
}

void RunProgramCycle(TaskEngineDevice& device, std::time_t now)
{
    ProgramGraph graph(device);
    std::vector<BlockPlan>& plans = graph.Plans();
    Components components(plans);
    const auto& blocks = device.Blocks();
    // Inside a cycle of lines a block reads the value its source had at the
    // end of the previous cycle; everything else reads this cycle's values.
    std::vector<Result> previous(blocks.size()), current(blocks.size());
    for (size_t i = 0; i < blocks.size(); ++i)
        previous[i] = current[i] = {blocks[i].value, blocks[i].valueStatus};
    // Inputs read the parameters as the cycle began; outputs' writes show
    // from the next cycle on.
    const TEParameters start = device.Parameters();

    auto inputValues = [&](int block, std::vector<double>& values) {
        values.clear();
        for (int source : plans[block].inputs) {
            if (source == kNone)
                return false;
            bool feedback = components.ComponentOf(source) == components.ComponentOf(block);
            const Result& fed = feedback ? previous[source] : current[source];
            if (fed.status != TE_OK)
                return false;
            values.push_back(fed.value);
        }
        return true;
    };

    std::vector<double> values;
    for (const auto& component : components.Upstream()) {
        for (int block : component) {
            const TEBlock& data = blocks[block];
            Result result;
            switch (plans[block].kind) {
            case TEBlockKind::In:
            case TEBlockKind::CalIn:
                result = FromOptional(start.Value(ParameterName(data)));
                break;
            case TEBlockKind::Rtc:
                result = FromOptional(ClockValue(data.function, now));
                break;
            case TEBlockKind::Func:
                if (inputValues(block, values))
                    result = FromOptional(EvaluateOperator(plans[block].operatorName, values));
                break;
            case TEBlockKind::Out:
                if (inputValues(block, values)) {
                    result = {values[0], TE_OK};
                    device.Parameters().Drive(ParameterName(data), values[0]);
                }
                break;
            }
            current[block] = result;
        }
    }
    for (size_t i = 0; i < blocks.size(); ++i)
        device.SetBlockResult(i, current[i].value, current[i].status);
}

}  // namespace tedevice
