#pragma once
#include <optional>
#include <string>

#include <webkit/webkit.h>

namespace corvina {

enum class ResponseDecision { show, download };

// What to do with a page's response.
// `contentDisposition`: the header's raw value for HTTP responses (an empty string when
// the header is missing), nullopt for responses that are not HTTP (data:, blob:, file:).
// A disposition of type "attachment" (in any case) downloads in any frame;
// archives, office documents and the common image types download only in the main frame,
// so a picture embedded in a page still shows while one opened on its own is saved.
ResponseDecision decideResponse(const std::optional<std::string>& contentDisposition, const std::string& mimeType,
                                bool isMainFrame);

// Downloads or shows the response the engine asks about, by `decideResponse`.
void applyResponsePolicy(WebKitResponsePolicyDecision* decision);

// Exact MIME types (no parameters, compared as they are).
bool isDownloadMIMEType(const std::string& mimeType);
bool isImageMIMEType(const std::string& mimeType);

}  // namespace corvina
