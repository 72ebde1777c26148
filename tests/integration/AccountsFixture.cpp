#include "integration/AccountsFixture.hpp"

#include <glib.h>

namespace corvina::testing {

std::pair<bool, std::string> runInOwnProcess(const std::string& test,
                                             const std::vector<std::pair<std::string, std::string>>& variables) {
    gchar** environment = g_get_environ();
    for (const auto& [name, value] : variables) environment = g_environ_setenv(environment, name.c_str(), value.c_str(), TRUE);
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string filter = "--gtest_filter=" + test;
    const char* argv[] = {self.c_str(), filter.c_str(), nullptr};
    gchar* output = nullptr;
    int status = -1;
    const bool ran = g_spawn_sync(nullptr, const_cast<char**>(argv), environment, G_SPAWN_DEFAULT, nullptr, nullptr,
                                  &output, nullptr, &status, nullptr);
    g_strfreev(environment);
    std::string said = output ? output : "";
    g_free(output);
    const bool passed = ran && g_spawn_check_wait_status(status, nullptr) &&
                        said.find("[  PASSED  ] 1 test") != std::string::npos &&
                        said.find("[  SKIPPED ]") == std::string::npos;
    return {passed, said};
}

}  // namespace corvina::testing
