#include "blocks/TEOperatorTable.h"

#include <cstring>

const TEOperator g_TEOperators[TE_OPERATOR_COUNT] = {
    {"PLUS", "+"},
    {"MINUS", "-"},
    {"MUL", "*"},
    {"DIV", "/"},
    {"BAND", "&"},
    {"BOR", "|"},
    {"BNOT", "~"},
    {"BXOR", "^"},
    {"POW", "pow"},
    {"LOG", "log"},
    {"LN", "ln"},
    {"SQRT", "sqrt"},
    {"INC", "inc"},
    {"DEC", "dec"},
    {"SIN", "sin"},
    {"COS", "cos"},
    {"MOD", "mod"},
    {"AND", "and"},
    {"OR", "or"},
    {"NOT", "not"},
    {"XOR", "xor"},
    {"VID", "div"},
    {"SHIFTLEFT", "<<"},
    {"SHIFTRIGHT", ">>"},
    {"GREATER", ">"},
    {"SMALLER", "<"},
    {"GREATER_OR_EQUAL", ">="},
    {"SMALLER_OR_EQUAL", "<="},
    {"EQUAL", "=="},
    {"NOTEQUAL", "!="},
};

const TEOperator* FindTEOperator(const char* pszName)
{
    if (pszName == nullptr)
        return nullptr;
    for (const TEOperator& op : g_TEOperators) {
        if (std::strcmp(op.szName, pszName) == 0)
            return &op;
    }
    return nullptr;
}
