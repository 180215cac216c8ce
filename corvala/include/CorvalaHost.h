// The host's side of the host library: where trace lines go, the folder that
// relative paths start from, and which device answers the requests addressed
// to a device name. Plug-ins never include this header.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Corvala.h"
#include "TaskEngineDevice.h"
#include "winuser.h"

namespace corvala {

// Receives every EDITTRACE line with the trace window it was meant for.
using TraceSink = std::function<void(HWND traceWindow, const char* text)>;
// An empty sink restores the default, which prints each line to stderr.
void SetTraceSink(TraceSink sink);

// The folder a_MakeFullPathName starts from. Until set it is taken from the
// environment variable OVINTA_HOST_FOLDER, else the current directory.
void SetHostFolder(const std::string& folder);
std::string HostFolder();

// One way to reach a device. Request answers the status of one request with
// the host library's modes and types; `value` is a scratch copy owned by the
// library, so a link may write it even when it fails.
class DeviceLink {
public:
    virtual ~DeviceLink() = default;
    virtual int Request(const char* keyword, int mode, int type, void* value) = 0;
};

// Requests to `deviceName` go through `link` from now on; a null link
// returns the name to the embedded device.
void RegisterDeviceLink(const std::string& deviceName, std::shared_ptr<DeviceLink> link);

// The embedded device of a name: created, empty, on first use (by a request
// or by this call), kept until ResetDevices.
tedevice::TaskEngineDevice& EmbeddedDevice(const std::string& deviceName);
// Null when no request or call has created the device yet.
tedevice::TaskEngineDevice* FindEmbeddedDevice(const std::string& deviceName);
// Drops every embedded device and every registered link.
void ResetDevices();

// A device name of the form "<name>@<host>:<port>" (for example
// "Amp@127.0.0.1:7400") reaches a tedeviced over TCP; its link is made on
// first use and kept until ResetDevices. How long such links wait, in
// milliseconds; they apply to every network link from the next request on.
struct NetworkDeviceTimeouts {
    int connectMs = 1000;
    int answerMs = 2000;
    int retryMs = 250;          // pause before connecting again after a failure
    int snapshotMaxAgeMs = 50;  // oldest polled values a read may be answered from
};
void SetNetworkDeviceTimeouts(const NetworkDeviceTimeouts& timeouts);
const NetworkDeviceTimeouts& GetNetworkDeviceTimeouts();

// What a request item addresses, for hosts and tests that inspect channels.
std::string RequestKeyword(const REQUESTITEM* item);
std::string RequestDeviceName(const REQUESTITEM* item);
HOSTINFO* RequestOwner(const REQUESTITEM* item);

// ---- The host's windows ------------------------------------------------------

// Creates the host's trace window: a top-level window, owned by `parent` when
// given, that lists trace lines oldest first and keeps the newest in view.
// It starts hidden; closing it hides it. The host makes it the trace window
// of its root record, so that EDITTRACE on it adds each line to the window as
// well as handing it to the sink. A text with line breaks makes one row per
// line; the window keeps the newest 5000 rows. Null when `parent` is given
// but is not a window.
HWND CreateTraceWindow(HWND parent);
// The rows a trace window holds, oldest first; empty for any other window.
std::vector<std::string> TraceWindowLines(HWND traceWindow);

// Reading back a template window (a_LoadTemplate). Both copy into a buffer of
// REQUEST_TEXT_SIZE bytes (lParam), cut to 4095 characters, and answer the
// whole length, or -1 for an index past the end or a null buffer.
// TEMPLATE_GETLINE: the configuration line of index wParam, as it was sent
// (one line per key, the latest for a key sent again, in the order the keys
// first came). TEMPLATE_GETROW: the row of index wParam that the window shows.
constexpr UINT TEMPLATE_GETLINE = WM_APP + 2;
constexpr UINT TEMPLATE_GETROW = WM_APP + 3;

}  // namespace corvala
