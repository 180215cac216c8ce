// Palette definition files as the host finds them beside itself: the input
// is the file, read through libxml2 into folders, with the root and mode
// the object bar asks for.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "CorvalaHost.h"
#include "FuzzCheck.h"
#include "palette/PaletteFile.h"

namespace {

// The file lives in memory: one descriptor of this process, rewritten for
// each input.
int PaletteDescriptor()
{
    static const int fd = memfd_create("palette.xml", 0);
    return fd;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    corvala::SetTraceSink([](HWND, const char*) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int fd = PaletteDescriptor();
    FUZZ_CHECK(fd >= 0 && ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    std::string path = "/proc/self/fd/" + std::to_string(fd);
    PaletteFolderList folders;
    ReadPaletteFile(path.c_str(), "objectbar", "normalmode", folders, nullptr);
    for (const auto& folder : folders)
        for (const auto& group : folder->m_Groups)
            for (const auto& item : group->m_Items)
                FUZZ_CHECK(item->m_strCommand.size() <= PALETTE_COMMAND_MAX);
    return 0;
}
