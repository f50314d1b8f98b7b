#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kelvo::fakes {

/// A one-thread HTTP server on 127.0.0.1 for client tests. It answers every
/// request with the scripted raw reply (or never answers when silent) and
/// records each request it read, headers and body.
class LocalHttpServer {
public:
    explicit LocalHttpServer(std::string rawReply, bool silent = false)
        : m_reply(std::move(rawReply)), m_silent(silent) {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 4);
        socklen_t length = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listener);
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string url(const std::string& path = "/") const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }

    std::vector<std::string> requests() const {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

    /// An HTTP/1.1 reply with that status line and body.
    static std::string reply(const std::string& status, const std::string& body) {
        return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

private:
    bool waitReadable(int fd) const {
        while (!m_stop) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0) {
                return true;
            }
        }
        return false;
    }

    void serve() {
        while (waitReadable(m_listener)) {
            const int client = ::accept(m_listener, nullptr, nullptr);
            if (client < 0) {
                continue;
            }
            std::string request = readRequest(client);
            {
                std::lock_guard lock(m_mutex);
                m_requests.push_back(request);
            }
            if (m_silent) {
                while (!m_stop) {
                    waitReadable(client);
                    char c;
                    if (::recv(client, &c, 1, MSG_DONTWAIT) == 0) {
                        break; // the client gave up
                    }
                }
            } else {
                ::send(client, m_reply.data(), m_reply.size(), MSG_NOSIGNAL);
            }
            ::close(client);
        }
    }

    std::string readRequest(int client) const {
        std::string data;
        char buffer[4096];
        while (waitReadable(client)) {
            const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) {
                break;
            }
            data.append(buffer, static_cast<size_t>(got));
            const size_t headerEnd = data.find("\r\n\r\n");
            if (headerEnd == std::string::npos) {
                continue;
            }
            size_t bodyLength = 0;
            const size_t field = data.find("Content-Length: ");
            if (field != std::string::npos && field < headerEnd) {
                bodyLength = std::stoul(data.substr(field + 16));
            }
            if (data.size() >= headerEnd + 4 + bodyLength) {
                break;
            }
        }
        return data;
    }

    std::string m_reply;
    bool m_silent;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

} // namespace kelvo::fakes
