#pragma once
#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "app/AppLanguage.hpp"

namespace corvina {

// The name used when the page suggests none, or nothing usable.
inline constexpr const char* defaultDownloadName = "download";
// The longest file name most Linux file systems accept, in bytes.
inline constexpr std::size_t maxFileNameBytes = 255;
// The engine first writes a download to its name plus this, then renames the file.
inline constexpr std::string_view engineTemporarySuffix = ".wkdownload";
// The longest name a download gets, so that the engine's temporary file fits too.
inline constexpr std::size_t maxDownloadNameBytes = maxFileNameBytes - engineTemporarySuffix.size();

// A suggested name comes from a web server and is untrusted: only its last component
// (after any '/' or '\') is kept; an empty name, "." or ".." becomes "download"; a name
// longer than maxDownloadNameBytes is shortened to whole characters, keeping its extension.
std::string safeDownloadName(const std::string& suggested);

// "report.pdf" and 2 give "report (2).pdf"; a name without extension, "notes (1)". Only
// the last extension counts ("photo.2024.png" gives "photo.2024 (1).png"), except that a
// compressed tar archive keeps both: "archive.tar.gz" and 1 give "archive (1).tar.gz".
// Shortened like safeDownloadName, so the numbered name fits as well.
std::string numberedName(const std::string& name, unsigned counter);

// Names handed to downloads that have not ended yet, so two downloads with the same
// suggested name never get the same file even before either file exists.
class DownloadNameReservations {
public:
    void reserve(const std::filesystem::path& destination) { reserved_.insert(destination); }
    // Harmless for a name that is not reserved (the engine reports a failure and then
    // also the end of the same download).
    void release(const std::filesystem::path& destination) { reserved_.erase(destination); }
    bool isReserved(const std::filesystem::path& destination) const { return reserved_.contains(destination); }
    std::size_t size() const { return reserved_.size(); }

private:
    std::set<std::filesystem::path> reserved_;
};

// Creates `folder` if it is missing (failures are ignored: the engine then fails the
// download), then returns the first of folder/name, folder/"name (1)", folder/"name (2)",
// ... at which nothing exists (a dangling link counts as something) and which is not
// reserved. The result is always directly inside `folder`.
std::filesystem::path chooseDestination(const std::filesystem::path& folder, const std::string& suggested,
                                        const DownloadNameReservations& reservations);

// Toast texts at the end of a download.
inline constexpr LocalizedText downloadFinishedText{"File Download Complete", "檔案下載已完成", "文件下载已完成"};
inline constexpr LocalizedText downloadFailedText{"Download Failed", "下載失敗", "下载失败"};
// The reason given for a download that the engine dropped without one.
inline constexpr LocalizedText downloadInterruptedText{"The download was interrupted", "下載已中斷", "下载已中断"};

std::string downloadFinishedMessage(AppLanguage language);
// The prefix, ": ", then the engine's own description of the error; after the prefix, how
// many downloads failed when it is more than one: "Download Failed (2): …".
std::string downloadFailedMessage(AppLanguage language, const std::string& errorDescription, unsigned failures = 1);

}  // namespace corvina
