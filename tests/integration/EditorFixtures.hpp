#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "integration/LocalServer.hpp"

namespace corvina::testing {

// The chat-like fixture pages built over real editor libraries, served at /editors/ on a
// local server, with what each page sent to /received/<name> kept in order.
class EditorFixtures {
public:
    // The pages: a React textarea, ProseMirror, Quill, Lexical, a plain editable element, a
    // plain text field, Slate, Draft.js, Tiptap, CodeMirror, Trix and CKEditor; then boxes
    // by where they sit: inside an open shadow root, beside a send button that appears only
    // once there is text, and an editable element in a form that sends on submit; and an
    // editor that applies typed text to its own model only on its next task.
    static const std::vector<std::string>& names();

    explicit EditorFixtures(LocalServer& server, const std::string& folder = CORVINA_EDITOR_FIXTURES);

    // The address of the page `name` on the server.
    std::string url(const std::string& name) const;
    // The messages the page `name` sent, oldest first.
    std::vector<std::string> received(const std::string& name) const;

private:
    // Shared with the server's handler, which may still run while this object goes away.
    struct Record {
        std::mutex mutex;
        std::map<std::string, std::vector<std::string>> messages;
    };
    LocalServer& server_;
    std::shared_ptr<Record> record_ = std::make_shared<Record>();
};

}  // namespace corvina::testing
