// a_PopupChooseColor. The record carries its owner window in a 32-bit field;
// a 64-bit handle does not fit there, so the owner is found again among the
// live windows by the low 32 bits of their handles.
#include <cstring>

#include "ColorPicker.h"
#include "Corvala.h"
#include "HostWindows.h"
#include "pldisplay.h"

namespace {

constexpr long kMaxColor = 0x00FFFFFF;

// Headless runs have no one to ask: the answer is one the test or script
// queued, and none queued means the user cancelled.
int TakeQueuedAnswer(POPUPSTRUCT& record)
{
    long answer = 0;
    if (!PlTakeDialogAnswer("color", &answer) || answer < 0 || answer > kMaxColor)
        return 0;
    record.m_crColor = static_cast<COLORREF>(answer);
    return 1;
}

}  // namespace

int a_PopupChooseColor(POPUPSTRUCT* record)
{
    if (!record)
        return 0;
    if (std::strcmp(PlDisplayName(), "headless") == 0)
        return TakeQueuedAnswer(*record);
    HWND owner = corvala::WindowFromLow32(record->m_hOwner);
    corvala::ColorPicker picker(owner ? GetAncestor(owner, GA_ROOT) : nullptr, record->m_crColor);
    std::optional<COLORREF> chosen = picker.Run();
    if (!chosen)
        return 0;
    record->m_crColor = *chosen;
    return 1;
}
