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
    proxyUnreachable,
    certificateNotTrusted,
    certificateExpired,
    certificateForAnotherName,
    certificateRevoked,
};

// The certificate a site offered when its main frame failed for it.
struct CertificateDetails {
    std::string host;
    std::string subject;
    std::string issuer;
    // "2025-01-31", or empty when the certificate does not say.
    std::string validFrom;
    std::string validUntil;
    std::string pem;

    bool operator==(const CertificateDetails&) const = default;
};

struct PageTrouble {
    PageTrouble(TroubleReason reason, std::string address, std::optional<CertificateDetails> certificate = std::nullopt)
        : reason(reason), address(std::move(address)), certificate(std::move(certificate)) {}

    TroubleReason reason;
    // The address to load when the user asks to try again.
    std::string address;
    std::optional<CertificateDetails> certificate;

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
// The first of the certificate's faults a user can act on: revoked, out of date, for
// another name, else not trusted. Takes GTlsCertificateFlags.
TroubleReason certificateReason(unsigned errors);
// Whether the user may trust a certificate for this host themselves: a host on their own
// network or machine (a private, loopback or link-local address, "localhost", a ".local"
// name), which no public authority can vouch for. Never a public host.
bool mayTrustCertificateFor(const std::string& host);
// Who the certificate is for and from, and when it is valid, one line each.
std::string certificateText(const CertificateDetails& certificate, AppLanguage language);
// "Trust This Certificate" where the user may, else nothing.
std::string trustAction(const PageTrouble& trouble, AppLanguage language);

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
