#pragma once
#include <filesystem>
#include <string>

#include <sys/types.h>

namespace corvina {

// Writes `text` as the whole of `file`: a temporary file beside it, flushed to disk, then
// renamed over it, so a crash leaves either the old file or the new one whole. Whether
// it was written.
bool writeFileAtomically(const std::filesystem::path& file, const std::string& text, mode_t mode);

}  // namespace corvina
