// The operators a function block can show. The device evaluates them; the
// editor only names them and shows the name on the block.
#pragma once

constexpr int TE_OPERATOR_COUNT = 30;
constexpr int TE_OPERATOR_FIELD = 64;

// One row: the operator's name (as in type keys) and its symbol.
struct TEOperator {
    char szName[TE_OPERATOR_FIELD];
    char szSymbol[TE_OPERATOR_FIELD];
};

extern const TEOperator g_TEOperators[TE_OPERATOR_COUNT];

// The row whose name equals pszName exactly (case-sensitive), or null.
const TEOperator* FindTEOperator(const char* pszName);
