// Outlook bar repaint: the whole control painted through its off-screen
// bitmap, with 200 items with icons in the current folder.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "CorvalaHost.h"
#include "afxwin.h"
#include "palette/COutlookBar.h"
#include "pldisplay.h"

namespace {

std::string PaletteWithItems(int count)
{
    std::string xml = "<objectbar><normalmode><objecttype name=\"Many\">";
    for (int i = 0; i < count; ++i) {
        if (i % 20 == 0)
            xml += (i ? "</group>" : "") + std::string("<group name=\"Group ") + std::to_string(i / 20) + "\">";
        xml += "<control class=\"Item " + std::to_string(i) +
               "\"><icon>Controls\\Icons\\input.png</icon><cfg>TEProc=CTEProcIN_0</cfg></control>";
    }
    return xml + "</group></objecttype></normalmode></objectbar>";
}

void OutlookBarRepaint(benchmark::State& state)
{
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("ovinta-bench-palette-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(folder + "/Controls/Icons");
    std::filesystem::copy_file(std::string(OVINTA_SOURCE_DIR) + "/data/host/Controls/Icons/input.png",
                               folder + "/Controls/Icons/input.png",
                               std::filesystem::copy_options::overwrite_existing);
    corvala::SetHostFolder(folder);
    const std::string path = folder + "/palette.xml";
    std::ofstream(path) << PaletteWithItems(int(state.range(0)));

    HWND host = ::CreateWindowEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 400, 600, nullptr,
                                 nullptr, AfxGetInstanceHandle(), nullptr);
    {
        COutlookBar bar;
        bar.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 190, 428),
                   CWnd::FromHandle(host), OUTLOOKBAR_ID);
        bar.LoadPalette(path.c_str(), "objectbar", "normalmode");
        bar.SetCurrentFolder(0);
        bar.UpdateWindow();
        for (auto _ : state) {
            bar.InvalidateRect(nullptr, TRUE);
            bar.UpdateWindow();
        }
    }
    PlResetWindowSystem();
    std::filesystem::remove_all(folder);
}
BENCHMARK(OutlookBarRepaint)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
