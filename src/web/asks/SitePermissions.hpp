#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/AppLanguage.hpp"
#include "platform/Observable.hpp"
#include "platform/PreferenceStore.hpp"

namespace corvina {

// What a page may ask for that the user answers.
enum class PermissionKind { microphone, camera, notifications, clipboardRead };

std::string rawValue(PermissionKind kind);
// "use your microphone", for "127.0.0.1:8080 wants to use your microphone".
std::string permissionRequestText(const std::string& site, const std::vector<PermissionKind>& kinds,
                                  AppLanguage language);

// The site an answer belongs to: scheme, host and port (the scheme's own when none is
// written), or nothing for an address that is not http(s).
std::optional<std::string> siteOf(const std::string& address);

// A certificate the user trusted for a host that has no other way to prove itself.
struct TrustedCertificate {
    std::string host;
    std::string pem;
};

// The user's answers, per site and kind, in a file of their own so they survive a restart;
// and the certificates they trusted, per network session ("" the shared one, else a tag's).
class SitePermissions {
public:
    explicit SitePermissions(PreferenceStore& file);

    // Allowed, denied, or not asked yet.
    std::optional<bool> answer(const std::string& site, PermissionKind kind) const;
    void remember(const std::string& site, PermissionKind kind, bool allowed);
    // Sites with notifications allowed or denied.
    std::vector<std::string> sitesWithNotifications(bool allowed) const;
    void trustCertificate(const std::string& sessionKey, const std::string& host, const std::string& pem);
    std::vector<TrustedCertificate> trustedCertificates(const std::string& sessionKey) const;
    void forgetCertificates(const std::string& sessionKey);
    // Forgets every answer and every trusted certificate.
    void reset();
    // Changes with every answer or certificate remembered and with a reset.
    const Published<int>& answerCount() const { return answerCount_; }

private:
    void publish();

    PreferenceStore& file_;
    Published<int> answerCount_{0};
};

}  // namespace corvina
