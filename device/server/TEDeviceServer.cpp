#include "TEDeviceServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "TEProgramFile.h"
#include "TEProgramRun.h"
#include "TEWireAnswer.h"

namespace tedevice {

namespace {

constexpr size_t kReadChunk = 64 * 1024;
constexpr int kIdleCheckMs = 1000;

void CloseSocket(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool ParseNumber(const char* text, long long minimum, long long maximum, long long& number)
{
    return ParseWireInt(text ? text : "", number) && number >= minimum && number <= maximum;
}

std::string ParseSweep(const std::string& text, TESweep& sweep)
{
    size_t colon = text.rfind(':');
    double seconds = 0.0;
    if (colon == std::string::npos || !ParseWireDouble(text.substr(colon + 1), seconds) || !(seconds > 0.0))
        return "--sweep wants NAME:SECONDS, got " + text;
    sweep.parameter = text.substr(0, colon);
    sweep.seconds = seconds;
    if (!TEParameters().Find(sweep.parameter))
        return "--sweep: no parameter " + sweep.parameter;
    return {};
}

}  // namespace

std::string ParseServerOptions(int argc, char** argv, TEServerOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long long number = 0;
        if (!value)
            return option + " needs a value";
        ++i;
        if (option == "--port" && ParseNumber(value, 0, 65535, number))
            options.port = static_cast<int>(number);
        else if (option == "--bind")
            options.bindAddress = value;
        else if (option == "--period" && ParseNumber(value, 0, 3600000, number))
            options.periodMs = static_cast<int>(number);
        else if (option == "--program")
            options.programPath = value;
        else if (option == "--delay" && ParseNumber(value, 0, 60000, number))
            options.answerDelayMs = static_cast<int>(number);
        else if (option == "--clock" && ParseNumber(value, 0, 253402300799LL, number))
            options.clockStart = static_cast<std::time_t>(number);
        else if (option == "--stalled" && ParseNumber(value, 1, 3600000, number))
            options.stalledMessageMs = static_cast<int>(number);
        else if (option == "--max-clients" && ParseNumber(value, 1, 4096, number))
            options.maxClients = static_cast<int>(number);
        else if (option == "--sweep") {
            TESweep sweep;
            if (std::string error = ParseSweep(value, sweep); !error.empty())
                return error;
            options.sweeps.push_back(sweep);
        } else
            return "unknown option or bad value: " + option + " " + value;
    }
    return {};
}

TEDeviceServer::TEDeviceServer(TEServerOptions options) : m_Options(std::move(options)) {}

TEDeviceServer::~TEDeviceServer()
{
    for (auto& client : m_Clients)
        CloseSocket(client->fd);
    CloseSocket(m_nListener);
}

std::string TEDeviceServer::Start()
{
    if (!m_Options.programPath.empty())
        if (std::string error = LoadProgram(m_Options.programPath, m_Device); !error.empty())
            return error;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(m_Options.port));
    if (::inet_pton(AF_INET, m_Options.bindAddress.c_str(), &address.sin_addr) != 1)
        return "not an IPv4 address: " + m_Options.bindAddress;
    m_nListener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int yes = 1;
    // A restarted device takes its port back at once.
    ::setsockopt(m_nListener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (m_nListener < 0 || ::bind(m_nListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_nListener, 64) != 0)
        return "cannot listen on " + m_Options.bindAddress + ":" + std::to_string(m_Options.port) + ": " +
               std::strerror(errno);
    socklen_t length = sizeof address;
    ::getsockname(m_nListener, reinterpret_cast<sockaddr*>(&address), &length);
    m_nPort = ntohs(address.sin_port);
    m_Started = Clock::now();
    m_NextCycle = m_Started;
    if (m_Options.clockStart >= 0)
        m_ClockOffset = m_Options.clockStart - std::time(nullptr);
    return {};
}

void TEDeviceServer::Run(const volatile std::sig_atomic_t& stop)
{
    std::vector<pollfd> fds;
    while (!stop) {
        Clock::time_point now = Clock::now();
        if (m_Options.periodMs > 0 && now >= m_NextCycle)
            RunCycle();
        fds.assign(1, pollfd{m_nListener, POLLIN, 0});
        for (auto& client : m_Clients) {
            while (!client->delayed.empty() && client->delayed.front().first <= now) {
                client->output += client->delayed.front().second;
                client->delayed.pop_front();
            }
            // One request, one answer: a client is not read while its answer
            // is on its way, so no client can pile up answers.
            short events = !client->output.empty() ? POLLOUT : client->delayed.empty() ? POLLIN : 0;
            fds.push_back(pollfd{client->fd, events, 0});
        }
        if (::poll(fds.data(), fds.size(), PollTimeoutMs(now)) < 0 && errno != EINTR)
            break;
        now = Clock::now();
        for (size_t i = 0; i < m_Clients.size(); ++i) {
            Client& client = *m_Clients[i];
            short events = fds[i + 1].revents;
            bool keep = true;
            if (events & (POLLERR | POLLNVAL))
                keep = false;
            else if (events & POLLOUT)
                keep = WriteTo(client);
            else if (events & (POLLIN | POLLHUP))
                keep = ReadFrom(client);
            if (keep && !client.input.empty() &&
                now - client.lastInput > std::chrono::milliseconds(m_Options.stalledMessageMs))
                keep = false;
            if (!keep)
                CloseSocket(client.fd);
        }
        std::erase_if(m_Clients, [](const auto& client) { return client->fd < 0; });
        if (fds[0].revents & POLLIN)
            Accept();
    }
}

int TEDeviceServer::PollTimeoutMs(Clock::time_point now) const
{
    Clock::time_point wake = now + std::chrono::milliseconds(kIdleCheckMs);
    if (m_Options.periodMs > 0)
        wake = std::min(wake, m_NextCycle);
    for (const auto& client : m_Clients)
        if (!client->delayed.empty())
            wake = std::min(wake, client->delayed.front().first);
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - now).count();
    return static_cast<int>(std::max<long long>(wait, 0));
}

void TEDeviceServer::Accept()
{
    for (;;) {
        int fd = ::accept4(m_nListener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        if (static_cast<int>(m_Clients.size()) >= m_Options.maxClients) {
            ::close(fd);
            continue;
        }
        int yes = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        auto client = std::make_unique<Client>();
        client->fd = fd;
        client->lastInput = Clock::now();
        client->output = EncodeMessage({std::string(kWireGreeting), std::string(kWireVersion)});
        m_Clients.push_back(std::move(client));
    }
}

bool TEDeviceServer::ReadFrom(Client& client)
{
    char buffer[kReadChunk];
    ssize_t got = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (got < 0)
        return errno == EAGAIN || errno == EINTR;
    if (got == 0)
        return false;
    if (client.input.empty())
        client.lastInput = Clock::now();
    client.input.append(buffer, static_cast<size_t>(got));
    TEWireFields request;
    size_t used = 0;
    switch (DecodeMessage(client.input, kMaxRequestMessage, request, used)) {
    case TEWireStatus::Malformed:
        return false;
    case TEWireStatus::Incomplete:
        return true;
    case TEWireStatus::Complete:
        break;
    }
    // A client that sends a second request before its answer breaks the
    // protocol.
    if (used != client.input.size())
        return false;
    client.input.clear();
    return Serve(client, request);
}

bool TEDeviceServer::WriteTo(Client& client)
{
    ssize_t sent = ::send(client.fd, client.output.data(), client.output.size(), MSG_NOSIGNAL);
    if (sent < 0)
        return errno == EAGAIN || errno == EINTR;
    client.output.erase(0, static_cast<size_t>(sent));
    return true;
}

bool TEDeviceServer::Serve(Client& client, const TEWireFields& request)
{
    TEWireAnswer answer = AnswerWireMessage(m_Device, request);
    if (!answer.valid)
        return false;
    if (request[0] == "REQ")
        SaveIfChanged(request[1], answer.mode, answer.status);
    Send(client, EncodeMessage(answer.fields));
    return true;
}

void TEDeviceServer::Send(Client& client, std::string message)
{
    if (m_Options.answerDelayMs <= 0) {
        client.output += message;
        return;
    }
    client.delayed.emplace_back(Clock::now() + std::chrono::milliseconds(m_Options.answerDelayMs), std::move(message));
}

void TEDeviceServer::SaveIfChanged(const std::string& keyword, int mode, int status)
{
    if (m_Options.programPath.empty() || status != TE_OK)
        return;
    bool changed = (mode == TE_WRITE && !keyword.starts_with("Param.")) || keyword == "TESafeLineName";
    if (!changed)
        return;
    if (std::string error = SaveProgram(m_Device, m_Options.programPath); !error.empty())
        std::cerr << "tedeviced: cannot save the program: " << error << std::endl;
}

std::time_t TEDeviceServer::DeviceTime() const
{
    return std::time(nullptr) + m_ClockOffset;
}

void TEDeviceServer::RunCycle()
{
    double elapsed = std::chrono::duration<double>(Clock::now() - m_Started).count();
    for (const TESweep& sweep : m_Options.sweeps) {
        const TEParameter* parameter = m_Device.Parameters().Find(sweep.parameter);
        double phase = std::fmod(elapsed, sweep.seconds) / sweep.seconds;
        double rise = phase < 0.5 ? 2 * phase : 2 - 2 * phase;
        m_Device.Parameters().Drive(sweep.parameter, parameter->minimum + rise * (parameter->maximum - parameter->minimum));
    }
    RunProgramCycle(m_Device, DeviceTime());
    m_NextCycle += std::chrono::milliseconds(m_Options.periodMs);
    Clock::time_point now = Clock::now();
    if (m_NextCycle < now)
        m_NextCycle = now + std::chrono::milliseconds(m_Options.periodMs);
}

}  // namespace tedevice
