// Sizes and colours of the outlook bar, shared by its layout, paint and
// mouse code.
#pragma once

#include "windef.h"

namespace outlookbar {

constexpr int kButtonHeight = 23;  // folder buttons, also their spacing
constexpr int kGroupMargin = 8;    // left, right, top, and between groups
constexpr int kHeaderHeight = 20;  // only groups with a name have one
constexpr int kItemHeight = 20;
constexpr int kItemTextInset = 22;
constexpr int kIconInset = 2;
constexpr int kLineStep = 30;

constexpr COLORREF kAreaBackground = 0x685758;
constexpr COLORREF kHeaderBackground = 0xDCA0A0;
constexpr COLORREF kHeaderText = 0xFFFFFF;
constexpr COLORREF kHoverText = 0xC80000;
constexpr COLORREF kItemBackground = 0xE3DFDF;
constexpr COLORREF kItemHoverText = 0x0000FF;

}  // namespace outlookbar
