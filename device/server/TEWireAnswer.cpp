#include "TEWireAnswer.h"

namespace tedevice {

TEWireAnswer AnswerWireMessage(TaskEngineDevice& device, const TEWireFields& message)
{
    TEWireAnswer answer;
    if (message.size() == 1 && message[0] == "POLL") {
        answer.valid = true;
        answer.fields = PollAnswer(device);
        return answer;
    }
    long long mode = 0;
    long long type = 0;
    if (message.size() < 4 || message[0] != "REQ" || !ParseWireInt(message[2], mode) || !ParseWireInt(message[3], type))
        return answer;
    TEValue value;
    bool carried = type == TE_INT || type == TE_DOUBLE || type == TE_TEXT || type == TE_LIST;
    if (carried && !DecodeValue(static_cast<int>(type), message, 4, value))
        return answer;
    answer.valid = true;
    answer.mode = static_cast<int>(mode);
    answer.status = carried ? device.Request(message[1], answer.mode, static_cast<int>(type), value) : TE_FAILED;
    answer.fields = {"ANS", std::to_string(answer.status)};
    if (answer.status == TE_OK)
        EncodeValue(static_cast<int>(type), value, answer.fields);
    return answer;
}

TEWireFields PollAnswer(const TaskEngineDevice& device)
{
    const auto& blocks = device.Blocks();
    TEWireFields answer{"VALUES", std::to_string(blocks.size()), std::to_string(device.Lines().size()),
                        std::to_string(device.ProgramVersion())};
    answer.reserve(4 + 6 * blocks.size());
    for (const TEBlock& block : blocks) {
        answer.push_back(block.record.name);
        answer.push_back(std::to_string(block.valueStatus));
        answer.push_back(block.valueStatus == TE_OK ? FormatWireDouble(block.value) : std::string());
        answer.push_back(std::to_string(block.online));
        answer.push_back(block.function);
        answer.push_back(block.connection);
    }
    return answer;
}

}  // namespace tedevice
