// X key symbols and virtual keys.
#include <X11/keysym.h>

#include "X11Display.h"
#include "winuser.h"

namespace pl {

namespace {

struct KeyPair {
    unsigned long keysym;
    UINT vk;
};

constexpr KeyPair kKeys[] = {
    {XK_BackSpace, VK_BACK}, {XK_Tab, VK_TAB},         {XK_Return, VK_RETURN},   {XK_KP_Enter, VK_RETURN},
    {XK_Escape, VK_ESCAPE},  {XK_space, VK_SPACE},     {XK_Prior, VK_PRIOR},     {XK_Next, VK_NEXT},
    {XK_End, VK_END},        {XK_Home, VK_HOME},       {XK_Left, VK_LEFT},       {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},    {XK_Down, VK_DOWN},       {XK_Insert, VK_INSERT},   {XK_Delete, VK_DELETE},
    {XK_KP_Delete, VK_DELETE}, {XK_Shift_L, VK_SHIFT}, {XK_Shift_R, VK_SHIFT},   {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL}, {XK_Alt_L, VK_MENU},   {XK_Alt_R, VK_MENU},
};

}  // namespace

UINT virtualKeyFromKeySym(unsigned long keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<UINT>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<UINT>('A' + (keysym - XK_A));
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<UINT>('0' + (keysym - XK_0));
    if (keysym >= XK_F1 && keysym <= XK_F12)
        return VK_F1 + static_cast<UINT>(keysym - XK_F1);
    for (const KeyPair& k : kKeys)
        if (k.keysym == keysym)
            return k.vk;
    return 0;
}

unsigned long keySymFromVirtualKey(UINT vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return XK_a + (vk - 'A');
    if (vk >= '0' && vk <= '9')
        return XK_0 + (vk - '0');
    if (vk >= VK_F1 && vk < VK_F1 + 12)
        return XK_F1 + (vk - VK_F1);
    for (const KeyPair& k : kKeys)
        if (k.vk == vk)
            return k.keysym;
    return 0;
}

}  // namespace pl
