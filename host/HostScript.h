// The headless session script: the display's input lines, plus the host's
// own lines "snapshot NAME" (a PNG of the plug-in's window) and "tick [N]"
// (N periods, default 1).
#pragma once

#include <string>

class HostApp;

// Runs the script's lines in order; stops at the first bad line, or when
// the plug-in's window is gone. Empty on success, else
// "<path> line N: what is wrong".
std::string RunHostScript(HostApp& host, const std::string& path);
