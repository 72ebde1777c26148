#include "web/downloads/DownloadNames.hpp"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

#include <glib.h>

namespace corvina {

namespace fs = std::filesystem;

namespace {

// Longer "extensions" are treated as part of the stem, so the counter always fits.
constexpr std::size_t maxExtensionBytes = 32;

struct SplitName {
    std::string_view stem;
    std::string_view extension;  // without the dot; empty when there is none
};

// Compressions whose ".tar.<x>" is one extension: "archive.tar.gz" is numbered
// "archive (1).tar.gz". Compared without regard to case, so "tar.Z" is one too.
constexpr std::array<std::string_view, 6> tarCompressions = {"gz", "bz2", "xz", "zst", "lz", "z"};

bool equalsIgnoringCase(std::string_view text, std::string_view lower) {
    return text.size() == lower.size() && g_ascii_strncasecmp(text.data(), lower.data(), lower.size()) == 0;
}

// Only the last extension counts, except for a compressed tar archive; a leading dot
// (".bashrc") or a trailing one ("notes.") does not start one.
SplitName split(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size() ||
        name.size() - dot - 1 > maxExtensionBytes)
        return {name, {}};
    const SplitName last{name.substr(0, dot), name.substr(dot + 1)};
    const auto inner = last.stem.rfind('.');
    const bool tarInside = inner != std::string_view::npos && inner != 0 && equalsIgnoringCase(last.stem.substr(inner + 1), "tar");
    if (tarInside && std::ranges::any_of(tarCompressions, [&](auto c) { return equalsIgnoringCase(last.extension, c); }))
        return {name.substr(0, inner), name.substr(inner + 1)};
    return last;
}

// At most `bytes` bytes of `text`, never cutting a UTF-8 sequence in half.
std::string_view utf8Prefix(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
    return text.substr(0, bytes);
}

// stem + tail, the stem shortened so that the whole fits as a download's name.
std::string compose(std::string_view stem, std::string_view tail) {
    std::string result(utf8Prefix(stem, maxDownloadNameBytes - tail.size()));
    result += tail;
    return result;
}

bool isTaken(const fs::path& candidate, const DownloadNameReservations& reservations) {
    if (reservations.isReserved(candidate)) return true;
    std::error_code error;
    const auto type = fs::symlink_status(candidate, error).type();
    // An unreadable folder (type none) cannot tell; the engine reports the failure.
    return type != fs::file_type::not_found && type != fs::file_type::none;
}

}  // namespace

std::string safeDownloadName(const std::string& suggested) {
    std::string_view name = suggested;
    name = name.substr(0, name.find('\0'));
    const auto separator = name.find_last_of("/\\");
    if (separator != std::string_view::npos) name.remove_prefix(separator + 1);
    if (name.empty() || name == "." || name == "..") return defaultDownloadName;
    const auto parts = split(name);
    if (parts.extension.empty()) return compose(name, {});
    return compose(parts.stem, "." + std::string(parts.extension));
}

std::string numberedName(const std::string& name, unsigned counter) {
    const auto parts = split(name);
    std::string tail = " (" + std::to_string(counter) + ")";
    if (!parts.extension.empty()) tail += "." + std::string(parts.extension);
    return compose(parts.stem, tail);
}

fs::path chooseDestination(const fs::path& folder, const std::string& suggested,
                           const DownloadNameReservations& reservations) {
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    const std::string name = safeDownloadName(suggested);
    fs::path candidate = folder / name;
    for (unsigned counter = 1; isTaken(candidate, reservations); ++counter)
        candidate = folder / numberedName(name, counter);
    return candidate;
}

std::string downloadFinishedMessage(AppLanguage language) { return downloadFinishedText.in(language); }

std::string downloadFailedMessage(AppLanguage language, const std::string& errorDescription, unsigned failures) {
    const std::string count = failures > 1 ? " (" + std::to_string(failures) + ")" : "";
    return downloadFailedText.in(language) + count + ": " + errorDescription;
}

}  // namespace corvina
