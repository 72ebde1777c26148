#include "integration/Openbox.hpp"

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "integration/AppProcess.hpp"

#include <gdk/x11/gdkx.h>

namespace corvina::testing {

namespace {

Display* xDisplay() { return gdk_x11_display_get_xdisplay(gdk_display_get_default()); }

bool rootHasProperty(const char* name) {
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    XGetWindowProperty(xDisplay(), DefaultRootWindow(xDisplay()), XInternAtom(xDisplay(), name, False), 0, 1, False,
                       AnyPropertyType, &type, &format, &count, &remaining, &data);
    if (data) XFree(data);
    return type != None;
}

}  // namespace

Openbox::Openbox() : ready_(std::filesystem::path(g_get_tmp_dir()) / ("corvina-openbox-" + std::to_string(getpid()))) {
    std::filesystem::remove(ready_);
    const std::string startup = "touch " + ready_.string();
    const char* argv[] = {"openbox", "--sm-disable", "--startup", startup.c_str(), nullptr};
    g_spawn_async(nullptr, const_cast<char**>(argv), nullptr,
                  GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDOUT_TO_DEV_NULL |
                              G_SPAWN_STDERR_TO_DEV_NULL),
                  nullptr, nullptr, &pid_, nullptr);
}

Openbox::~Openbox() {
    if (!pid_) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    // What it published must not mislead the tests that run without a manager.
    for (const char* name : {"_NET_WORKAREA", "_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED"})
        XDeleteProperty(xDisplay(), DefaultRootWindow(xDisplay()), XInternAtom(xDisplay(), name, False));
    XSync(xDisplay(), False);
    std::filesystem::remove(ready_);
}

bool Openbox::running() const {
    return pid_ && eventually([this] {
               return std::filesystem::exists(ready_) && rootHasProperty("_NET_SUPPORTING_WM_CHECK");
           });
}

}  // namespace corvina::testing
