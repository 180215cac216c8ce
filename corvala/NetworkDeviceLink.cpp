#include "NetworkDeviceLink.h"

#include <cerrno>
#include <charconv>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "DeviceValue.h"

namespace corvala {

namespace {

using tedevice::TEValue;
using tedevice::TEWireFields;

NetworkDeviceTimeouts g_Timeouts;

int MillisecondsUntil(std::chrono::steady_clock::time_point deadline)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        int ready = ::poll(&entry, 1, MillisecondsUntil(deadline));
        if (ready > 0)
            return (entry.revents & (events | POLLHUP)) != 0;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// Splits "TE.<block>.<item>"; false for other keywords.
bool SplitBlockKeyword(std::string_view keyword, std::string_view& block, std::string_view& item)
{
    if (!keyword.starts_with("TE."))
        return false;
    std::string_view rest = keyword.substr(3);
    size_t point = rest.find('.');
    if (point == std::string_view::npos)
        return false;
    block = rest.substr(0, point);
    item = rest.substr(point + 1);
    return true;
}

// Writes that cannot change what a snapshot holds: positions and shapes.
bool KeepsSnapshot(std::string_view keyword)
{
    return keyword == "TEUpdateProc" || keyword == "TEUpdateLine";
}

bool ToInt(std::string_view text, int& number)
{
    long long value = 0;
    if (!tedevice::ParseWireInt(text, value) || value < INT32_MIN || value > INT32_MAX)
        return false;
    number = static_cast<int>(value);
    return true;
}

}  // namespace

void SetNetworkDeviceTimeouts(const NetworkDeviceTimeouts& timeouts)
{
    g_Timeouts = timeouts;
}

const NetworkDeviceTimeouts& GetNetworkDeviceTimeouts()
{
    return g_Timeouts;
}

bool ParseNetworkDeviceName(const std::string& deviceName, std::string& host, int& port)
{
    size_t at = deviceName.find('@');
    size_t colon = deviceName.rfind(':');
    if (at == std::string::npos || colon == std::string::npos || colon < at + 2)
        return false;
    host = deviceName.substr(at + 1, colon - at - 1);
    return ToInt(std::string_view(deviceName).substr(colon + 1), port) && port > 0 && port <= 65535;
}

NetworkDeviceLink::NetworkDeviceLink(std::string host, int port) : m_Host(std::move(host)), m_nPort(port) {}

NetworkDeviceLink::~NetworkDeviceLink()
{
    Disconnect();
}

int NetworkDeviceLink::Request(const char* keyword, int mode, int type, void* value)
{
    if (!keyword || !value)
        return REQUEST_FAILED;
    TEValue request;
    TakeDeviceValue(type, value, request);
    int status = Exchange(keyword, mode, type, request);
    if (status == REQUEST_OK)
        GiveDeviceAnswer(mode, type, request, value);
    return status;
}

int NetworkDeviceLink::Exchange(std::string_view keyword, int mode, int type, TEValue& value)
{
    if (mode == REQUEST_READ) {
        if (keyword == "TENrOfProcs" && type == DATATYPE_INT) {
            if (!RefreshSnapshot())
                return REQUEST_FAILED;
            value.number = m_Snapshot.procs;
            return REQUEST_OK;
        }
        if (keyword == "TEProgramVersion")
            return ReadProgramVersion(type, value);
        if (auto status = FromSnapshot(keyword, mode, type, value))
            return *status;
    }
    return SendRequest(keyword, mode, type, value);
}

int NetworkDeviceLink::SendRequest(std::string_view keyword, int mode, int type, TEValue& value)
{
    TEWireFields request{"REQ", std::string(keyword), std::to_string(mode), std::to_string(type)};
    tedevice::EncodeValue(type, value, request);
    TEWireFields answer;
    int status = REQUEST_FAILED;
    if (!Call(request, answer))
        return REQUEST_FAILED;
    if (answer.size() < 2 || answer[0] != "ANS" || !ToInt(answer[1], status) ||
        (status == REQUEST_OK && !tedevice::DecodeValue(type, answer, 2, value))) {
        Disconnect();
        return REQUEST_FAILED;
    }
    if (mode == REQUEST_WRITE && status == REQUEST_OK) {
        m_Snapshot.programVersion.reset();
        if (!KeepsSnapshot(keyword))
            m_Snapshot.valid = false;
    }
    return status;
}

int NetworkDeviceLink::ReadProgramVersion(int type, TEValue& value)
{
    if (m_nSocket < 0 && !Connect())
        return REQUEST_FAILED;
    if (!m_bHasProgramVersion)
        return REQUEST_FAILED;
    bool fresh = m_Snapshot.valid && Clock::now() - m_Snapshot.taken <= std::chrono::milliseconds(g_Timeouts.snapshotMaxAgeMs);
    if (type == DATATYPE_INT && fresh && m_Snapshot.programVersion) {
        value.number = *m_Snapshot.programVersion;
        m_Snapshot.programVersion.reset();
        return REQUEST_OK;
    }
    return SendRequest("TEProgramVersion", REQUEST_READ, type, value);
}

// The answer of a polled read, or nothing for a request the snapshot does
// not hold (which then goes to the device).
std::optional<int> NetworkDeviceLink::FromSnapshot(std::string_view keyword, int mode, int type, TEValue& value)
{
    std::string_view blockName, item;
    bool lines = keyword == "TENrOfLines" && type == DATATYPE_INT;
    bool polled = lines || (mode == REQUEST_READ && SplitBlockKeyword(keyword, blockName, item));
    if (!polled)
        return std::nullopt;
    bool fresh = m_Snapshot.valid && Clock::now() - m_Snapshot.taken <= std::chrono::milliseconds(g_Timeouts.snapshotMaxAgeMs);
    if (!fresh && !RefreshSnapshot())
        return REQUEST_FAILED;
    if (lines) {
        value.number = m_Snapshot.lines;
        return REQUEST_OK;
    }
    auto it = m_Snapshot.blocks.find(std::string(blockName));
    if (it == m_Snapshot.blocks.end())
        return std::nullopt;
    const BlockState& block = it->second;
    if (item == "Value" && type == DATATYPE_DOUBLE) {
        if (block.valueStatus == REQUEST_OK)
            value.real = block.value;
        return block.valueStatus;
    }
    if (item == "online" && type == DATATYPE_INT) {
        value.number = block.online;
        return REQUEST_OK;
    }
    if ((item == "function" || item == "connection") && type == DATATYPE_TEXT) {
        value.text = item == "function" ? block.function : block.connection;
        return REQUEST_OK;
    }
    return std::nullopt;
}

bool NetworkDeviceLink::RefreshSnapshot()
{
    m_Snapshot.valid = false;
    TEWireFields answer;
    if (!Call({"POLL"}, answer))
        return false;
    if (!ReadSnapshot(answer)) {
        Disconnect();
        return false;
    }
    m_Snapshot.valid = true;
    m_Snapshot.taken = Clock::now();
    return true;
}

bool NetworkDeviceLink::ReadSnapshot(const TEWireFields& answer)
{
    constexpr size_t kPerBlock = 6;
    // Kind, block count, line count, and from wire version 2 the program version.
    size_t nHead = m_bHasProgramVersion ? 4 : 3;
    if (answer.size() < nHead || answer[0] != "VALUES" || (answer.size() - nHead) % kPerBlock != 0)
        return false;
    if (!ToInt(answer[1], m_Snapshot.procs) || !ToInt(answer[2], m_Snapshot.lines))
        return false;
    m_Snapshot.programVersion.reset();
    int version = 0;
    if (m_bHasProgramVersion) {
        if (!ToInt(answer[3], version))
            return false;
        m_Snapshot.programVersion = version;
    }
    m_Snapshot.blocks.clear();
    for (size_t i = nHead; i < answer.size(); i += kPerBlock) {
        BlockState block;
        if (!ToInt(answer[i + 1], block.valueStatus) || !ToInt(answer[i + 3], block.online))
            return false;
        if (block.valueStatus == REQUEST_OK && !tedevice::ParseWireDouble(answer[i + 2], block.value))
            return false;
        block.function = answer[i + 4];
        block.connection = answer[i + 5];
        m_Snapshot.blocks.insert_or_assign(answer[i], std::move(block));
    }
    return true;
}

bool NetworkDeviceLink::Call(const TEWireFields& request, TEWireFields& answer)
{
    if (m_nSocket < 0 && !Connect())
        return false;
    auto deadline = Clock::now() + std::chrono::milliseconds(g_Timeouts.answerMs);
    if (SendAll(tedevice::EncodeMessage(request), deadline) && Receive(answer, deadline))
        return true;
    Disconnect();
    return false;
}

bool NetworkDeviceLink::Connect()
{
    if (Clock::now() < m_NextAttempt)
        return false;
    m_NextAttempt = Clock::now() + std::chrono::milliseconds(g_Timeouts.retryMs);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* addresses = nullptr;
    if (::getaddrinfo(m_Host.c_str(), std::to_string(m_nPort).c_str(), &hints, &addresses) != 0)
        return false;
    auto deadline = Clock::now() + std::chrono::milliseconds(g_Timeouts.connectMs);
    for (addrinfo* address = addresses; address && m_nSocket < 0; address = address->ai_next) {
        m_nSocket = ::socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address->ai_protocol);
        if (m_nSocket < 0)
            continue;
        int error = 0;
        socklen_t length = sizeof error;
        bool connected = ::connect(m_nSocket, address->ai_addr, address->ai_addrlen) == 0 ||
                         (errno == EINPROGRESS && WaitFor(m_nSocket, POLLOUT, deadline) &&
                          ::getsockopt(m_nSocket, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0);
        if (!connected)
            Disconnect();
    }
    ::freeaddrinfo(addresses);
    if (m_nSocket < 0)
        return false;
    int yes = 1;
    ::setsockopt(m_nSocket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    TEWireFields greeting;
    bool greeted = Receive(greeting, Clock::now() + std::chrono::milliseconds(g_Timeouts.answerMs)) &&
                   greeting.size() == 2 && greeting[0] == tedevice::kWireGreeting &&
                   (greeting[1] == tedevice::kWireVersion || greeting[1] == tedevice::kWireVersionWithoutProgramVersion);
    if (!greeted) {
        Disconnect();
        return false;
    }
    m_bHasProgramVersion = greeting[1] == tedevice::kWireVersion;
    return true;
}

void NetworkDeviceLink::Disconnect()
{
    if (m_nSocket >= 0) {
        ::close(m_nSocket);
        m_NextAttempt = Clock::now() + std::chrono::milliseconds(g_Timeouts.retryMs);
    }
    m_nSocket = -1;
    m_Snapshot.valid = false;
}

bool NetworkDeviceLink::SendAll(std::string_view bytes, Clock::time_point deadline)
{
    while (!bytes.empty()) {
        ssize_t sent = ::send(m_nSocket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<size_t>(sent));
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EINTR) && WaitFor(m_nSocket, POLLOUT, deadline))
            continue;
        return false;
    }
    return true;
}

// Exactly one message: a device that sends more than it was asked for is
// not following the protocol.
bool NetworkDeviceLink::Receive(TEWireFields& message, Clock::time_point deadline)
{
    std::string buffer;
    char chunk[64 * 1024];
    for (;;) {
        size_t used = 0;
        switch (tedevice::DecodeMessage(buffer, tedevice::kMaxAnswerMessage, message, used)) {
        case tedevice::TEWireStatus::Complete:
            return used == buffer.size();
        case tedevice::TEWireStatus::Malformed:
            return false;
        case tedevice::TEWireStatus::Incomplete:
            break;
        }
        if (!WaitFor(m_nSocket, POLLIN, deadline))
            return false;
        ssize_t got = ::recv(m_nSocket, chunk, sizeof chunk, 0);
        if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
            return false;
        if (got > 0)
            buffer.append(chunk, static_cast<size_t>(got));
    }
}

}  // namespace corvala
