#include "web/asks/PermissionRequests.hpp"

namespace corvina {

namespace {

std::vector<PermissionKind> kindsOf(WebKitPermissionRequest* request) {
    if (WEBKIT_IS_USER_MEDIA_PERMISSION_REQUEST(request)) {
        auto* media = WEBKIT_USER_MEDIA_PERMISSION_REQUEST(request);
        std::vector<PermissionKind> kinds;
        if (webkit_user_media_permission_is_for_audio_device(media)) kinds.push_back(PermissionKind::microphone);
        if (webkit_user_media_permission_is_for_video_device(media)) kinds.push_back(PermissionKind::camera);
        return kinds;
    }
    if (WEBKIT_IS_NOTIFICATION_PERMISSION_REQUEST(request)) return {PermissionKind::notifications};
    if (WEBKIT_IS_CLIPBOARD_PERMISSION_REQUEST(request)) return {PermissionKind::clipboardRead};
    return {};
}

void decide(WebKitPermissionRequest* request, bool allowed) {
    allowed ? webkit_permission_request_allow(request) : webkit_permission_request_deny(request);
}

// Answers a request that was held, and lets it go.
void settle(WebKitPermissionRequest* request, bool allowed) {
    decide(request, allowed);
    g_object_unref(request);
}

GList* originsOf(const std::vector<std::string>& sites) {
    GList* origins = nullptr;
    for (const auto& site : sites) origins = g_list_prepend(origins, webkit_security_origin_new_for_uri(site.c_str()));
    return origins;
}

}  // namespace

std::optional<bool> rememberedAnswer(const SitePermissions& answers, const PermissionQuestion& question) {
    bool allowed = true;
    for (auto kind : question.kinds) {
        const auto answer = answers.answer(question.site, kind);
        if (!answer) return std::nullopt;
        allowed = allowed && *answer;
    }
    return allowed;
}

PermissionRequests::PermissionRequests(SitePermissions& answers) : answers_(answers) {}

PermissionRequests::~PermissionRequests() {
    for (auto& [key, queue] : pending_)
        for (auto& pending : queue) settle(pending.request, false);
}

bool PermissionRequests::request(const PageKey& key, WebKitWebView* view, WebKitPermissionRequest* request) {
    const auto kinds = kindsOf(request);
    if (kinds.empty()) return false;
    const char* uri = webkit_web_view_get_uri(view);
    const auto site = siteOf(uri ? uri : "");
    if (!site) {
        decide(request, false);
        return true;
    }
    PermissionQuestion question{*site, kinds};
    if (const auto remembered = rememberedAnswer(answers_, question)) {
        decide(request, *remembered);
        return true;
    }
    pending_[key].push_back(Pending{std::move(question), WEBKIT_PERMISSION_REQUEST(g_object_ref(request))});
    bump();
    return true;
}

std::optional<PermissionQuestion> PermissionRequests::question(const PageKey& key) const {
    auto it = pending_.find(key);
    if (it == pending_.end() || it->second.empty()) return std::nullopt;
    return it->second.front().question;
}

void PermissionRequests::answer(const PageKey& key, bool allowed) {
    auto it = pending_.find(key);
    if (it == pending_.end() || it->second.empty()) return;
    for (auto kind : it->second.front().question.kinds) answers_.remember(it->second.front().question.site, kind, allowed);
    // The answer also settles the same question waiting in other panes and pages.
    settleAnswered();
}

void PermissionRequests::forget(const PageKey& key) {
    auto it = pending_.find(key);
    if (it == pending_.end()) return;
    for (auto& pending : it->second) settle(pending.request, false);
    pending_.erase(it);
    bump();
}

void PermissionRequests::settleAnswered() {
    for (auto& [key, queue] : pending_)
        std::erase_if(queue, [this](Pending& pending) {
            const auto answer = rememberedAnswer(answers_, pending.question);
            if (answer) settle(pending.request, *answer);
            return answer.has_value();
        });
    std::erase_if(pending_, [](const auto& entry) { return entry.second.empty(); });
    bump();
}

void PermissionRequests::initializeNotificationPermissions(WebKitWebContext* context) const {
    GList* allowed = originsOf(answers_.sitesWithNotifications(true));
    GList* denied = originsOf(answers_.sitesWithNotifications(false));
    webkit_web_context_initialize_notification_permissions(context, allowed, denied);
    g_list_free_full(allowed, reinterpret_cast<GDestroyNotify>(webkit_security_origin_unref));
    g_list_free_full(denied, reinterpret_cast<GDestroyNotify>(webkit_security_origin_unref));
}

}  // namespace corvina
