#pragma once
#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

namespace corvina::testing {

// A real HTTP server on 127.0.0.1 for the web tests, on its own thread.
class LocalServer {
public:
    // On `port` when given, so that a test can answer where nothing listened before.
    explicit LocalServer(int port = 0) {
        // One request per connection, so stopping never waits for idle keep-alive ones.
        server.set_keep_alive_max_count(1);
        // The engine opens spare connections it may never use; stopping waits for them.
        server.set_keep_alive_timeout(1);
        port_ = port ? (server.bind_to_port("127.0.0.1", port), port) : server.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server.listen_after_bind(); });
        // A stop before the loop runs would be missed, and the join would wait forever.
        while (port_ > 0 && !server.is_running()) std::this_thread::yield();
    }
    ~LocalServer() {
        server.stop();
        thread_.join();
    }

    int port() const { return port_; }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    // Serves `body` as `mime` at `path`, with an optional Content-Disposition.
    void serve(const std::string& path, const std::string& body, const std::string& mime,
               const std::string& disposition = "") {
        server.Get(path, [body, mime, disposition](const httplib::Request&, httplib::Response& res) {
            if (!disposition.empty()) res.set_header("Content-Disposition", disposition);
            res.set_content(body, mime.c_str());
        });
    }

    // Sends the headers of a `length`-byte body and its first bytes `start`, then nothing
    // more until the client goes away or the server stops: a download that stays under way.
    void serveStalled(const std::string& path, const std::string& start, std::size_t length, const std::string& mime,
                      const std::string& disposition) {
        server.Get(path, [start, length, mime, disposition](const httplib::Request&, httplib::Response& res) {
            res.set_header("Content-Disposition", disposition);
            res.set_content_provider(length, mime.c_str(),
                                     [start](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                         if (offset == 0) return sink.write(start.data(), start.size());
                                         // Polled until the server stops; nothing more is sent.
                                         std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                         return sink.is_writable();
                                     });
        });
    }

    httplib::Server server;

private:
    int port_ = 0;
    std::thread thread_;
};

}  // namespace corvina::testing
