#include "TEOperators.h"

#include <cmath>
#include <cstdint>
#include <functional>

namespace tedevice {

namespace {

using Inputs = std::span<const double>;
using Result = std::optional<double>;
using Evaluate = Result (*)(Inputs);

// Integer operators work on the inputs cut toward zero to 32 bits; a value
// outside that range has no integer form.
std::optional<int32_t> AsInt(double value)
{
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return std::nullopt;
    return static_cast<int32_t>(value);
}

bool IsTrue(double value) { return value != 0.0; }

template <typename Op>
Result Fold(Inputs in, Op op)
{
    if (in.empty())
        return std::nullopt;
    double result = in[0];
    for (size_t i = 1; i < in.size(); ++i)
        result = op(result, in[i]);
    return result;
}

template <typename Op>
Result FoldInt(Inputs in, Op op)
{
    if (in.empty())
        return std::nullopt;
    auto result = AsInt(in[0]);
    for (size_t i = 1; result && i < in.size(); ++i) {
        auto next = AsInt(in[i]);
        if (!next)
            return std::nullopt;
        result = op(*result, *next);
    }
    return result ? Result(*result) : std::nullopt;
}

template <typename Op>
Result Unary(Inputs in, Op op)
{
    return in.empty() ? std::nullopt : Result(op(in[0]));
}

template <typename Op>
Result Binary(Inputs in, Op op)
{
    return in.size() < 2 ? std::nullopt : Result(op(in[0], in[1]));
}

Result Divide(Inputs in)
{
    if (in.empty())
        return std::nullopt;
    double result = in[0];
    for (size_t i = 1; i < in.size(); ++i) {
        if (in[i] == 0.0)
            return std::nullopt;
        result /= in[i];
    }
    return result;
}

Result IntDivide(Inputs in, bool remainder)
{
    if (in.size() < 2)
        return std::nullopt;
    auto a = AsInt(in[0]);
    auto b = AsInt(in[1]);
    if (!a || !b || *b == 0 || (*a == INT32_MIN && *b == -1))
        return std::nullopt;
    return remainder ? *a % *b : *a / *b;
}

Result Shift(Inputs in, bool left)
{
    if (in.size() < 2)
        return std::nullopt;
    auto a = AsInt(in[0]);
    auto count = AsInt(in[1]);
    if (!a || !count || *count < 0 || *count > 31)
        return std::nullopt;
    uint32_t bits = static_cast<uint32_t>(*a);
    bits = left ? bits << *count : bits >> *count;
    return static_cast<int32_t>(bits);
}

Result Logical(Inputs in, bool (*op)(bool, bool))
{
    if (in.empty())
        return std::nullopt;
    bool result = IsTrue(in[0]);
    for (size_t i = 1; i < in.size(); ++i)
        result = op(result, IsTrue(in[i]));
    return result ? 1.0 : 0.0;
}

Result Compare(Inputs in, bool (*op)(double, double))
{
    return Binary(in, [op](double a, double b) { return op(a, b) ? 1.0 : 0.0; });
}

// The selector on input 0 picks one of the inputs after it: 0 the first.
Result Switch(Inputs in)
{
    if (in.size() < 2)
        return std::nullopt;
    auto selector = AsInt(in[0]);
    if (!selector || *selector < 0 || static_cast<size_t>(*selector) + 1 >= in.size())
        return std::nullopt;
    return in[*selector + 1];
}

struct OperatorRow {
    std::string_view name;
    Evaluate evaluate;
};

const OperatorRow kOperators[kOperatorCount] = {
    {"PLUS", [](Inputs in) { return Fold(in, std::plus<>()); }},
    {"MINUS", [](Inputs in) { return in.size() == 1 ? Result(-in[0]) : Fold(in, std::minus<>()); }},
    {"MUL", [](Inputs in) { return Fold(in, std::multiplies<>()); }},
    {"DIV", Divide},
    {"BAND", [](Inputs in) { return FoldInt(in, [](int32_t a, int32_t b) { return a & b; }); }},
    {"BOR", [](Inputs in) { return FoldInt(in, [](int32_t a, int32_t b) { return a | b; }); }},
    {"BNOT", [](Inputs in) { auto a = in.empty() ? std::nullopt : AsInt(in[0]); return a ? Result(~*a) : std::nullopt; }},
    {"BXOR", [](Inputs in) { return FoldInt(in, [](int32_t a, int32_t b) { return a ^ b; }); }},
    {"POW", [](Inputs in) { return Binary(in, [](double a, double b) { return std::pow(a, b); }); }},
    {"LOG", [](Inputs in) { return in.empty() || in[0] <= 0 ? std::nullopt : Result(std::log10(in[0])); }},
    {"LN", [](Inputs in) { return in.empty() || in[0] <= 0 ? std::nullopt : Result(std::log(in[0])); }},
    {"SQRT", [](Inputs in) { return in.empty() || in[0] < 0 ? std::nullopt : Result(std::sqrt(in[0])); }},
    {"INC", [](Inputs in) { return Unary(in, [](double a) { return a + 1; }); }},
    {"DEC", [](Inputs in) { return Unary(in, [](double a) { return a - 1; }); }},
    {"SIN", [](Inputs in) { return Unary(in, [](double a) { return std::sin(a); }); }},
    {"COS", [](Inputs in) { return Unary(in, [](double a) { return std::cos(a); }); }},
    {"MOD", [](Inputs in) { return IntDivide(in, true); }},
    {"AND", [](Inputs in) { return Logical(in, [](bool a, bool b) { return a && b; }); }},
    {"OR", [](Inputs in) { return Logical(in, [](bool a, bool b) { return a || b; }); }},
    {"NOT", [](Inputs in) { return Unary(in, [](double a) { return IsTrue(a) ? 0.0 : 1.0; }); }},
    {"XOR", [](Inputs in) { return Logical(in, [](bool a, bool b) { return a != b; }); }},
    {"VID", [](Inputs in) { return IntDivide(in, false); }},
    {"SHIFTLEFT", [](Inputs in) { return Shift(in, true); }},
    {"SHIFTRIGHT", [](Inputs in) { return Shift(in, false); }},
    {"GREATER", [](Inputs in) { return Compare(in, [](double a, double b) { return a > b; }); }},
    {"SMALLER", [](Inputs in) { return Compare(in, [](double a, double b) { return a < b; }); }},
    {"GREATER_OR_EQUAL", [](Inputs in) { return Compare(in, [](double a, double b) { return a >= b; }); }},
    {"SMALLER_OR_EQUAL", [](Inputs in) { return Compare(in, [](double a, double b) { return a <= b; }); }},
    {"EQUAL", [](Inputs in) { return Compare(in, [](double a, double b) { return a == b; }); }},
    {"NOTEQUAL", [](Inputs in) { return Compare(in, [](double a, double b) { return a != b; }); }},
};

}  // namespace

std::string_view OperatorName(int row)
{
    return row >= 0 && row < kOperatorCount ? kOperators[row].name : std::string_view();
}

std::optional<double> EvaluateOperator(std::string_view name, std::span<const double> inputs)
{
    Result result;
    bool found = false;
    for (const OperatorRow& row : kOperators) {
        if (row.name == name) {
            result = row.evaluate(inputs);
            found = true;
            break;
        }
    }
    if (!found)
        result = Switch(inputs);
    if (result && !std::isfinite(*result))
        return std::nullopt;
    return result;
}

}  // namespace tedevice
