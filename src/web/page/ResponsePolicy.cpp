#include "web/page/ResponsePolicy.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include <glib.h>

namespace corvina {

namespace {

constexpr std::array<std::string_view, 14> downloadMIMETypes = {
    "application/octet-stream",
    "application/zip",
    "application/x-zip-compressed",
    "application/gzip",
    "application/x-gzip",
    "application/x-tar",
    "application/x-rar-compressed",
    "application/x-7z-compressed",
    "application/vnd.ms-excel",
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet",
    "application/msword",
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document",
    "application/vnd.ms-powerpoint",
    "application/vnd.openxmlformats-officedocument.presentationml.presentation",
};

constexpr std::array<std::string_view, 5> imageMIMETypes = {
    "image/png", "image/jpeg", "image/gif", "image/webp", "image/svg+xml",
};

// The disposition type is the token before the first ';', compared without regard to case:
// "ATTACHMENT; filename=a" is one, "attachmentfoo" and "inline" are not.
bool isAttachment(std::string_view disposition) {
    constexpr std::string_view blanks = " \t";
    disposition = disposition.substr(0, disposition.find(';'));
    const auto first = disposition.find_first_not_of(blanks);
    if (first == std::string_view::npos) return false;
    const auto type = disposition.substr(first, disposition.find_last_not_of(blanks) + 1 - first);
    constexpr std::string_view attachment = "attachment";
    return type.size() == attachment.size() &&
           g_ascii_strncasecmp(type.data(), attachment.data(), attachment.size()) == 0;
}

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& set, const std::string& value) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

}  // namespace

bool isDownloadMIMEType(const std::string& mimeType) { return contains(downloadMIMETypes, mimeType); }

bool isImageMIMEType(const std::string& mimeType) { return contains(imageMIMETypes, mimeType); }

ResponseDecision decideResponse(const std::optional<std::string>& contentDisposition, const std::string& mimeType,
                                bool isMainFrame) {
    if (contentDisposition && isAttachment(*contentDisposition)) return ResponseDecision::download;
    if (isMainFrame && (isDownloadMIMEType(mimeType) || isImageMIMEType(mimeType))) return ResponseDecision::download;
    return ResponseDecision::show;
}

void applyResponsePolicy(WebKitResponsePolicyDecision* decision) {
    WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
    std::optional<std::string> disposition;
    if (SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response)) {
        const char* value = soup_message_headers_get_one(headers, "Content-Disposition");
        disposition = value ? value : "";
    }
    const char* mime = webkit_uri_response_get_mime_type(response);
    const bool mainFrame = webkit_response_policy_decision_is_main_frame_main_resource(decision);
    if (decideResponse(disposition, mime ? mime : "", mainFrame) == ResponseDecision::download)
        webkit_policy_decision_download(WEBKIT_POLICY_DECISION(decision));
    else
        webkit_policy_decision_use(WEBKIT_POLICY_DECISION(decision));
}

}  // namespace corvina
