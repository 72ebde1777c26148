#include "integration/WebFixture.hpp"

#include <algorithm>
#include <fstream>

#include <unistd.h>

namespace corvina::testing {

std::string evaluateScript(WebKitWebView* view, const std::string& script, const char* world) {
    std::optional<std::string> result;
    webkit_web_view_evaluate_javascript(
        view, script.c_str(), -1, world, nullptr, nullptr,
        +[](GObject* source, GAsyncResult* res, gpointer data) {
            auto* out = static_cast<std::optional<std::string>*>(data);
            GError* error = nullptr;
            JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), res, &error);
            if (!value) {
                *out = std::string("error: ") + error->message;
                g_error_free(error);
                return;
            }
            char* text = jsc_value_to_string(value);
            *out = text;
            g_free(text);
            g_object_unref(value);
        },
        &result);
    eventually([&] { return result.has_value(); }, std::chrono::seconds(10));
    return result.value_or("timeout");
}

namespace {

// `command` as the kernel keeps it: cut to 15 bytes.
std::vector<int> engineProcessIDs(const std::string& command) {
    std::vector<int> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        if (!(comm >> name) || name != command) continue;
        // Ours if one of its ancestors is this process.
        for (std::string pid = entry.path().filename(); !pid.empty() && pid != "1";) {
            std::ifstream status("/proc/" + pid + "/status");
            std::string line;
            pid.clear();
            while (std::getline(status, line))
                if (line.rfind("PPid:", 0) == 0) pid = line.substr(line.find_first_not_of(" \t", 5));
            if (pid == std::to_string(getpid())) {
                found.push_back(std::stoi(entry.path().filename().string()));
                break;
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

std::vector<int> webProcessIDs() { return engineProcessIDs("WebKitWebProces"); }

std::vector<int> networkProcessIDs() { return engineProcessIDs("WebKitNetworkPr"); }

std::vector<std::string> WebFixture::downloadedFiles() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(downloadsFolder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace corvina::testing
