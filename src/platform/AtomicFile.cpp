#include "platform/AtomicFile.hpp"

#include <fcntl.h>
#include <unistd.h>

namespace corvina {

bool writeFileAtomically(const std::filesystem::path& file, const std::string& text, mode_t mode) {
    const std::string temp = file.string() + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) return false;
    const char* data = text.data();
    size_t left = text.size();
    bool ok = true;
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written <= 0) {
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace corvina
