// Palette definition files: the XML tree objectbar / mode / objecttype /
// group / control, read into folders, and the default file the host's own
// palettes use.
#pragma once

#include "palette/PaletteData.h"
#include "windef.h"

// Longest path and root name the reader accepts (its buffers hold 1024 bytes).
constexpr size_t PALETTE_NAME_MAX = 1023;
// Longest command an item may carry: a drop copies it into 4096 bytes.
constexpr size_t PALETTE_COMMAND_MAX = 4095;

// Adds the folders of the first `mode` element under a `root` element of the
// file to `folders`, merging folders and groups of the same name. A file that
// cannot be read, a wrong root or a missing mode element adds nothing. Every
// refusal and every skipped entry is reported with EDITTRACE on `traceWnd`.
// Answers false when nothing could be read at all.
bool ReadPaletteFile(const char* path, const char* root, const char* mode, PaletteFolderList& folders,
                     HWND traceWnd);

// Writes the host's default palette "Menu\objects.xml" under the host folder,
// replacing any earlier file. Write errors are not reported.
void WriteDefaultPaletteFile();
