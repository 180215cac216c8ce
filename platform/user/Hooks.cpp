// The computer-based-training hook chain (WH_CBT), newest hook first.
#include <algorithm>
#include <vector>

#include "Internal.h"

namespace pl {

namespace {

struct Hook {
    HHOOK handle;
    HOOKPROC proc;
};

struct HookState {
    std::vector<Hook> chain;
    uintptr_t next = 0x4000;
};

HookState& hookState()
{
    static HookState s;
    return s;
}

LRESULT callFrom(size_t index, int code, WPARAM wParam, LPARAM lParam)
{
    auto& chain = hookState().chain;
    if (index >= chain.size())
        return 0;
    HOOKPROC proc = chain[index].proc;
    return proc(code, wParam, lParam);
}

}  // namespace

LRESULT callCbtHooks(int code, WPARAM wParam, LPARAM lParam)
{
    return callFrom(0, code, wParam, lParam);
}

}  // namespace pl

using namespace pl;

HHOOK SetWindowsHookExA(int type, HOOKPROC proc, HINSTANCE, DWORD)
{
    if (type != WH_CBT || !proc)
        return nullptr;
    HookState& s = hookState();
    s.next += 4;
    HHOOK handle = reinterpret_cast<HHOOK>(s.next);
    s.chain.insert(s.chain.begin(), Hook{handle, proc});
    return handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    auto& chain = hookState().chain;
    auto it = std::find_if(chain.begin(), chain.end(), [hook](const Hook& h) { return h.handle == hook; });
    if (it == chain.end())
        return FALSE;
    chain.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    auto& chain = hookState().chain;
    auto it = std::find_if(chain.begin(), chain.end(), [hook](const Hook& h) { return h.handle == hook; });
    if (it == chain.end())
        return 0;  // an unhooked hook passing on: the chain after it is unknown
    return callFrom(static_cast<size_t>(it - chain.begin()) + 1, code, wParam, lParam);
}
