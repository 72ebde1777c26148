#pragma once
#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/Fakes.hpp"

namespace corvina::testing {

// A port on 127.0.0.1 that nothing listens on at the moment.
int unusedPort();

// Debian's tinyproxy on 127.0.0.1, with its own log, for as long as this lives.
class TinyProxy {
public:
    // `credentials` "user pass" makes it ask for them.
    explicit TinyProxy(const std::string& credentials = "");
    ~TinyProxy();
    TinyProxy(const TinyProxy&) = delete;
    TinyProxy& operator=(const TinyProxy&) = delete;

    std::string address() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // Whether the proxy was asked for a URL containing `text`.
    bool forwarded(const std::string& text) const;
    std::string log() const;
    std::filesystem::path logFile() const { return dir_ / "tinyproxy.log"; }

private:
    TempDir dir_;
    int port_ = 0;
    int pid_ = 0;
};

// A self-signed certificate made by the openssl tool, for `ip` (a subject alternative name).
struct TestCertificate {
    explicit TestCertificate(const std::string& commonName, const std::string& ip = "127.0.0.1");

    TempDir dir;
    std::filesystem::path certificate = dir / "cert.pem";
    std::filesystem::path key = dir / "key.pem";
};

// A TLS server on 127.0.0.1 with a certificate no authority signed, serving one page.
class TlsServer {
public:
    TlsServer(const TestCertificate& certificate, const std::string& title);
    ~TlsServer();

    int port() const { return port_; }
    std::string url(const std::string& host = "127.0.0.1") const {
        return "https://" + host + ":" + std::to_string(port_) + "/";
    }

private:
    httplib::SSLServer server_;
    int port_ = 0;
    std::thread thread_;
};

// An HTTP proxy that answers every CONNECT by joining it to one local port, whatever host
// was asked for: a public-looking name can so reach a local server.
class ConnectRelay {
public:
    explicit ConnectRelay(int targetPort);
    ~ConnectRelay();

    std::string address() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    void serve(int client);

    int target_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread accepting_;
    std::vector<std::thread> relays_;
};

}  // namespace corvina::testing
