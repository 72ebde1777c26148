#include <gtest/gtest.h>

#include "web/ResponsePolicy.hpp"

using namespace corvina;

namespace {

constexpr auto show = ResponseDecision::show;
constexpr auto download = ResponseDecision::download;
constexpr bool mainFrame = true;
constexpr bool subFrame = false;

TEST(ResponsePolicy, AnAttachmentDownloadsInEveryFrame) {
    const std::string disposition = "attachment; filename=\"notes.txt\"";
    EXPECT_EQ(decideResponse(disposition, "text/plain", mainFrame), download);
    EXPECT_EQ(decideResponse(disposition, "text/plain", subFrame), download);
    EXPECT_EQ(decideResponse("attachment", "", subFrame), download);
}

TEST(ResponsePolicy, TheAttachmentTestIsACaseSensitivePrefixOfTheRawValue) {
    EXPECT_EQ(decideResponse("Attachment", "text/html", mainFrame), show);
    EXPECT_EQ(decideResponse(" attachment", "text/plain", mainFrame), show);
    EXPECT_EQ(decideResponse("inline; filename=attachment.pdf", "application/pdf", mainFrame), show);
    // Not matching the attachment rule still leaves the type rule.
    EXPECT_EQ(decideResponse("Attachment", "image/png", mainFrame), download);
}

TEST(ResponsePolicy, ArchivesAndOfficeDocumentsDownloadOnlyInTheMainFrame) {
    for (const char* type : {"application/octet-stream", "application/zip", "application/x-zip-compressed",
                             "application/gzip", "application/x-gzip", "application/x-tar",
                             "application/x-rar-compressed", "application/x-7z-compressed",
                             "application/vnd.ms-excel",
                             "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet",
                             "application/msword",
                             "application/vnd.openxmlformats-officedocument.wordprocessingml.document",
                             "application/vnd.ms-powerpoint",
                             "application/vnd.openxmlformats-officedocument.presentationml.presentation"}) {
        EXPECT_EQ(decideResponse("", type, mainFrame), download) << type;
        EXPECT_EQ(decideResponse("", type, subFrame), show) << type;
    }
}

TEST(ResponsePolicy, AnImageOnItsOwnDownloadsWhileAnEmbeddedOneShows) {
    for (const char* type : {"image/png", "image/jpeg", "image/gif", "image/webp", "image/svg+xml"}) {
        EXPECT_EQ(decideResponse("", type, mainFrame), download) << type;
        EXPECT_EQ(decideResponse("", type, subFrame), show) << type;
    }
}

TEST(ResponsePolicy, DocumentsPagesAndInexactTypesShow) {
    EXPECT_EQ(decideResponse("inline", "application/pdf", mainFrame), show);
    EXPECT_EQ(decideResponse("", "text/html", mainFrame), show);
    EXPECT_EQ(decideResponse("", "", mainFrame), show);  // no type at all
    EXPECT_EQ(decideResponse("", "IMAGE/PNG", mainFrame), show);
    EXPECT_EQ(decideResponse("", "application/zip; charset=binary", mainFrame), show);
    EXPECT_EQ(decideResponse("", "image/bmp", mainFrame), show);
}

TEST(ResponsePolicy, ResponsesThatAreNotHttpSkipOnlyTheAttachmentRule) {
    EXPECT_EQ(decideResponse(std::nullopt, "image/png", mainFrame), download);
    EXPECT_EQ(decideResponse(std::nullopt, "image/png", subFrame), show);
    EXPECT_EQ(decideResponse(std::nullopt, "text/html", mainFrame), show);
}

}  // namespace
