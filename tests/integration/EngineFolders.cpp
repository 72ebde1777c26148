#include "integration/EngineFolders.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "integration/WebFixture.hpp"
#include "support/Fakes.hpp"

namespace corvina::testing {

namespace {

// Ends a process and returns once it has: a process descriptor is readable from then on.
void endAndWait(int pid) {
    const int handle = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (handle < 0) return;  // already gone
    kill(pid, SIGKILL);
    pollfd ended{handle, POLLIN, 0};
    poll(&ended, 1, 5000);
    close(handle);
}

// Removes the folders once every test has run, after the network process, which would
// otherwise still write into them while they go.
class EngineFoldersEnvironment : public ::testing::Environment {
public:
    void TearDown() override {
        for (int pid : networkProcessIDs()) endAndWait(pid);
        std::error_code ignored;
        std::filesystem::remove_all(root.path(), ignored);
    }

    TempDir root;
    int stores = 0;
};

auto* const environment =
    static_cast<EngineFoldersEnvironment*>(::testing::AddGlobalTestEnvironment(new EngineFoldersEnvironment));

}  // namespace

WebViewStore::Folders engineFolders() {
    const auto folder = environment->root / ("store-" + std::to_string(++environment->stores));
    return {folder / "web", folder / "cache"};
}

}  // namespace corvina::testing
