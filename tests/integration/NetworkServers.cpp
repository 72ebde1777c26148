#include "integration/NetworkServers.hpp"

#include <csignal>
#include <fstream>
#include <sstream>

#include <arpa/inet.h>
#include <glib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "integration/AppProcess.hpp"

namespace corvina::testing {

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool accepts(int port) {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    const auto address = loopback(port);
    const bool connected = connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return connected;
}

void run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const auto& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    int status = 0;
    g_spawn_sync(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr, &status,
                 nullptr);
}

}  // namespace

int unusedPort() {
    const int socketHandle = socket(AF_INET, SOCK_STREAM, 0);
    auto address = loopback(0);
    bind(socketHandle, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(socketHandle, reinterpret_cast<sockaddr*>(&address), &length);
    close(socketHandle);
    return ntohs(address.sin_port);
}

TinyProxy::TinyProxy(const std::string& credentials) : port_(unusedPort()) {
    std::ofstream config(dir_ / "tinyproxy.conf");
    config << "Port " << port_ << "\nListen 127.0.0.1\nTimeout 30\nLogLevel Info\nMaxClients 20\nAllow 127.0.0.1\n"
           << "LogFile \"" << (dir_ / "tinyproxy.log").string() << "\"\n";
    if (!credentials.empty()) config << "BasicAuth " << credentials << "\n";
    config.close();
    const std::string configPath = (dir_ / "tinyproxy.conf").string();
    const char* argv[] = {"tinyproxy", "-d", "-c", configPath.c_str(), nullptr};
    GPid pid = 0;
    g_spawn_async(nullptr, const_cast<char**>(argv), nullptr,
                  static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDOUT_TO_DEV_NULL |
                                           G_SPAWN_STDERR_TO_DEV_NULL),
                  nullptr, nullptr, &pid, nullptr);
    pid_ = pid;
    eventually([this] { return accepts(port_); }, std::chrono::seconds(10));
}

TinyProxy::~TinyProxy() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

std::string TinyProxy::log() const {
    std::ifstream file(dir_ / "tinyproxy.log");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool TinyProxy::forwarded(const std::string& text) const { return log().find(text) != std::string::npos; }

TestCertificate::TestCertificate(const std::string& commonName, const std::string& ip) {
    run({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
         key.string(), "-out", certificate.string(), "-days", "30", "-subj", "/CN=" + commonName, "-addext",
         "subjectAltName=IP:" + ip});
}

TlsServer::TlsServer(const TestCertificate& certificate, const std::string& title)
    : server_(certificate.certificate.c_str(), certificate.key.c_str()) {
    server_.set_keep_alive_max_count(1);
    server_.set_keep_alive_timeout(1);
    server_.Get("/", [title](const httplib::Request&, httplib::Response& res) {
        res.set_content("<title>" + title + "</title>", "text/html");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (port_ > 0 && !server_.is_running()) std::this_thread::yield();
}

TlsServer::~TlsServer() {
    server_.stop();
    thread_.join();
}

ConnectRelay::ConnectRelay(int targetPort) : target_(targetPort), listener_(socket(AF_INET, SOCK_STREAM, 0)) {
    auto address = loopback(0);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(listener_, 16);
    accepting_ = std::thread([this] {
        while (!stopping_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (poll(&waiting, 1, 100) <= 0) continue;
            const int client = accept(listener_, nullptr, nullptr);
            if (client >= 0) relays_.emplace_back([this, client] { serve(client); });
        }
    });
}

ConnectRelay::~ConnectRelay() {
    stopping_ = true;
    accepting_.join();
    for (auto& relay : relays_) relay.join();
    close(listener_);
}

// Reads the request head, answers it as a tunnel, then copies both ways until either closes.
void ConnectRelay::serve(int client) {
    std::string head;
    char byte = 0;
    while (head.find("\r\n\r\n") == std::string::npos && read(client, &byte, 1) == 1) head += byte;
    const int server = socket(AF_INET, SOCK_STREAM, 0);
    const auto address = loopback(target_);
    if (head.rfind("CONNECT ", 0) != 0 || connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(server);
        close(client);
        return;
    }
    const std::string established = "HTTP/1.1 200 Connection established\r\n\r\n";
    write(client, established.data(), established.size());
    pollfd ends[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
    char buffer[16384];
    while (!stopping_) {
        if (poll(ends, 2, 100) <= 0) continue;
        bool closed = false;
        for (int i = 0; i < 2; ++i) {
            if (!(ends[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t got = read(ends[i].fd, buffer, sizeof buffer);
            if (got <= 0 || write(ends[1 - i].fd, buffer, static_cast<size_t>(got)) != got) closed = true;
        }
        if (closed) break;
    }
    close(server);
    close(client);
}

}  // namespace corvina::testing
