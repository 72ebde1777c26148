#include "integration/EditorFixtures.hpp"

#include <stdexcept>

namespace corvina::testing {

const std::vector<std::string>& EditorFixtures::names() {
    static const std::vector<std::string> all{
        "react-textarea", "prosemirror", "quill",      "lexical",      "contenteditable", "text-input",
        "slate",          "draft",       "tiptap",     "codemirror",   "trix",            "ckeditor",
        "shadow-box",     "send-appears", "form-editable", "batched-model"};
    return all;
}

EditorFixtures::EditorFixtures(LocalServer& server, const std::string& folder) : server_(server) {
    if (!server.server.set_mount_point("/editors", folder))
        throw std::runtime_error("no editor fixture pages in " + folder);
    server.server.Post(R"(/received/([a-z-]+))", [record = record_](const httplib::Request& req, httplib::Response&) {
        std::lock_guard lock(record->mutex);
        record->messages[req.matches[1]].push_back(req.body);
    });
}

std::string EditorFixtures::url(const std::string& name) const { return server_.url("/editors/" + name + ".html"); }

std::vector<std::string> EditorFixtures::received(const std::string& name) const {
    std::lock_guard lock(record_->mutex);
    auto found = record_->messages.find(name);
    return found == record_->messages.end() ? std::vector<std::string>{} : found->second;
}

}  // namespace corvina::testing
