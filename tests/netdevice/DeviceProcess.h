// A tedeviced child process on a free local port, and plain sockets to talk
// to it the way a misbehaving client would. Every child is killed and
// reaped in teardown; every wait has a deadline.
#pragma once

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Runs `path` with `args`, its stdin and stdout on pipes.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { Kill(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Spawn(const std::string& path, const std::vector<std::string>& args)
    {
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
            return false;
        m_nPid = ::fork();
        if (m_nPid == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            std::vector<char*> argv{const_cast<char*>(path.c_str())};
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(path.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        m_nInput = in[1];
        m_nOutput = out[0];
        return m_nPid > 0;
    }

    // One line of the child's output, without its line end; empty after
    // the deadline or at the end of its output.
    std::string ReadLine(int timeoutMs = 10000)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            size_t end = m_Pending.find('\n');
            if (end != std::string::npos) {
                std::string line = m_Pending.substr(0, end);
                m_Pending.erase(0, end + 1);
                return line;
            }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd entry{m_nOutput, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0)
                return {};
            char chunk[4096];
            ssize_t got = ::read(m_nOutput, chunk, sizeof chunk);
            if (got <= 0)
                return {};
            m_Pending.append(chunk, static_cast<size_t>(got));
        }
    }

    bool WriteLine(const std::string& line)
    {
        std::string text = line + '\n';
        return ::write(m_nInput, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }

    void Kill()
    {
        if (m_nPid > 0) {
            ::kill(m_nPid, SIGKILL);
            ::waitpid(m_nPid, nullptr, 0);
        }
        m_nPid = -1;
        for (int* fd : {&m_nInput, &m_nOutput})
            if (*fd >= 0)
                ::close(*fd);
        m_nInput = m_nOutput = -1;
        m_Pending.clear();
    }

private:
    pid_t m_nPid = -1;
    int m_nInput = -1;
    int m_nOutput = -1;
    std::string m_Pending;
};

// tedeviced on 127.0.0.1; port 0 lets it pick a free one.
class DeviceProcess {
public:
    bool Start(std::vector<std::string> args = {}, int port = 0)
    {
        args.insert(args.end(), {"--port", std::to_string(port)});
        if (!m_Child.Spawn(OVINTA_TEDEVICED, args))
            return false;
        std::string line = m_Child.ReadLine();
        size_t colon = line.rfind(':');
        m_nPort = colon == std::string::npos ? 0 : std::atoi(line.c_str() + colon + 1);
        return m_nPort > 0;
    }
    // SIGKILL: the device gets no chance to tidy up.
    void Kill() { m_Child.Kill(); }
    int Port() const { return m_nPort; }
    std::string Name(const std::string& device = "TE1") const
    {
        return device + "@127.0.0.1:" + std::to_string(m_nPort);
    }

private:
    ChildProcess m_Child;
    int m_nPort = 0;
};

// A listening socket on a free local port, for devices served by a test's
// own thread; the port goes to `port`.
inline int ListenOnLoopback(int& port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd, 4);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

// A raw client socket, for clients that do not follow the protocol.
inline int ConnectTo(int port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval timeout{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads until the peer closes; true when it closed within the timeout.
inline bool PeerCloses(int fd, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char chunk[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd entry{fd, POLLIN, 0};
        if (::poll(&entry, 1, 100) <= 0)
            continue;
        ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got <= 0)
            return true;
    }
    return false;
}
