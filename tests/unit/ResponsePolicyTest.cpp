#include <gtest/gtest.h>

#include "web/ResponsePolicy.hpp"

using namespace corvina;

namespace {

constexpr auto show = ResponseDecision::show;
constexpr auto download = ResponseDecision::download;

// An attachment (a case-sensitive prefix of the raw value, HTTP only) downloads in every
// frame; archives, office documents and images on their own download only in the main frame.
TEST(ResponsePolicy, DecidesByDispositionTypeAndFrame) {
    const std::vector<std::tuple<std::optional<std::string>, std::string, ResponseDecision, ResponseDecision>> cases = {
        // disposition, type, main frame, sub-frame
        {"attachment; filename=\"notes.txt\"", "text/plain", download, download}, {"attachment", "", download, download},
        {"Attachment", "text/html", show, show}, {" attachment", "text/plain", show, show},
        {"inline; filename=attachment.pdf", "application/pdf", show, show}, {"Attachment", "image/png", download, show},
        {"inline", "application/pdf", show, show}, {"", "text/html", show, show}, {"", "", show, show},
        {"", "IMAGE/PNG", show, show}, {"", "application/zip; charset=binary", show, show}, {"", "image/bmp", show, show},
        {std::nullopt, "image/png", download, show}, {std::nullopt, "text/html", show, show},
    };
    for (const auto& [disposition, type, main, sub] : cases) {
        EXPECT_EQ(decideResponse(disposition, type, true), main) << disposition.value_or("-") << " " << type;
        EXPECT_EQ(decideResponse(disposition, type, false), sub) << disposition.value_or("-") << " " << type;
    }
    for (const char* type : {"application/octet-stream", "application/zip", "application/x-zip-compressed",
                             "application/gzip", "application/x-gzip", "application/x-tar",
                             "application/x-rar-compressed", "application/x-7z-compressed", "application/vnd.ms-excel",
                             "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", "application/msword",
                             "application/vnd.openxmlformats-officedocument.wordprocessingml.document",
                             "application/vnd.ms-powerpoint",
                             "application/vnd.openxmlformats-officedocument.presentationml.presentation",
                             "image/png", "image/jpeg", "image/gif", "image/webp", "image/svg+xml"}) {
        EXPECT_EQ(decideResponse("", type, true), download) << type;
        EXPECT_EQ(decideResponse("", type, false), show) << type;
    }
}

}  // namespace
