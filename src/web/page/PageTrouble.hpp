#pragma once
#include <optional>
#include <string>

#include "app/AppLanguage.hpp"

namespace corvina {

// Why a page cannot be used: its web process ended, or its main frame did not load, or its
// start address is not one a page may open (a stored tag's, never loaded).
enum class TroubleReason {
    crashed,
    outOfMemory,
    offline,
    nameNotResolved,
    refused,
    timedOut,
    blockedPort,
    otherNetworkError,
    addressNotAllowed,
};

struct PageTrouble {
    TroubleReason reason;
    // The address to load when the user asks to try again.
    std::string address;

    bool isCrash() const { return reason == TroubleReason::crashed || reason == TroubleReason::outOfMemory; }
    bool operator==(const PageTrouble&) const = default;
};

// How a failed main-frame load reads to the user, or nothing when it is no failure: the
// user or a newer load cancelled it, or it became a download.
std::optional<TroubleReason> loadFailureReason(const char* errorDomain, int code);
// Without a network connection, a name that is not found or a host that does not answer
// says only that the computer is offline.
TroubleReason unreachableReason(TroubleReason reason, bool networkAvailable);
// The engine puts a blank page in place of an address it will not load, and says nothing
// else: why, as far as the address tells.
TroubleReason refusedAddressReason(const std::string& address);
// Ports that browsers never let web pages connect to, whatever listens there.
bool usesBlockedPort(const std::string& address);

// "ChatGPT stopped working" or "ChatGPT cannot be reached".
std::string troubleTitle(const PageTrouble& trouble, const std::string& serviceName, AppLanguage language);
// The reason in plain words; the host for network failures.
std::string troubleDetail(const PageTrouble& trouble, AppLanguage language);
// "Reload" after a crash, "Try Again" after a failed load, nothing for an address not allowed.
std::string troubleAction(const PageTrouble& trouble, AppLanguage language);

// The host (and port when it is not the scheme's own) of an address, for the user to read.
std::string displayHost(const std::string& address);

}  // namespace corvina
