#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "support/loopback.h"

namespace support {

// A small HTTP/1.1 server on 127.0.0.1 for the web panes' tests: it answers GET requests from a
// table of pages (or raw bytes, for answers no good server gives), one connection at a time,
// each answer closing its connection. It runs on a
// thread of its own; every member may be called from the test's thread.
class FakeWebServer {
  public:
    struct Page {
        int status = 200;
        std::string contentType = "text/html; charset=utf-8";
        std::string body;
        std::string location;                // for redirects
        std::chrono::milliseconds delay{0};  // before the answer goes out
        std::string raw;  // when set, the answer's bytes as they stand, in place of a built one
    };

    FakeWebServer();
    ~FakeWebServer();
    FakeWebServer(const FakeWebServer&) = delete;
    FakeWebServer& operator=(const FakeWebServer&) = delete;

    std::uint16_t port() const { return port_; }
    std::string url(const std::string& path) const;
    // An address on a loopback port that was free a moment ago and that nothing listens on now.
    static std::string refusedUrl(const std::string& path);
    // Unknown paths answer 404.
    void serve(const std::string& path, Page page);
    int requestCount(const std::string& path) const;
    // The head of the last request for the path, as it came.
    std::string lastRequestHead(const std::string& path) const;

  private:
    void run();
    void answer(UniqueFd connection);

    UniqueFd listener_;
    std::uint16_t port_ = 0;
    WakeSignal stop_;
    mutable std::mutex mutex_;
    std::map<std::string, Page> pages_;
    std::map<std::string, int> requests_;
    std::map<std::string, std::string> heads_;
    std::thread thread_;
};

}  // namespace support
