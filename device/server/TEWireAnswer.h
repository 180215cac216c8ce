// The device server's answer to one wire message, apart from its sockets, so
// that what a client can send is served the same way by the server and by
// tools that feed messages straight in (the wire fuzzer).
#pragma once

#include "TEWire.h"
#include "TaskEngineDevice.h"

namespace tedevice {

struct TEWireAnswer {
    bool valid = false;      // false: the message breaks the protocol; its client is closed
    int mode = 0;            // a request's mode and the device's status, for the program file
    int status = TE_FAILED;
    TEWireFields fields;     // the answer message
};

// Answers a POLL or a REQ message (docs/device.md) on `device`.
TEWireAnswer AnswerWireMessage(TaskEngineDevice& device, const TEWireFields& message);

// Everything an editor reads on every tick, in one answer: both counts, and
// each block's value (empty when its read answers another status), online
// state and link texts.
TEWireFields PollAnswer(const TaskEngineDevice& device);

}  // namespace tedevice
