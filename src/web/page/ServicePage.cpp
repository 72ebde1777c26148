#include "web/page/ServicePage.hpp"

#include "app/CustomTab.hpp"
#include "platform/BenchmarkSwitch.hpp"
#include "platform/NetworkWatch.hpp"
#include "web/NetworkSessions.hpp"
#include "web/asks/NewWindows.hpp"
#include "web/asks/PageNotifications.hpp"
#include "web/asks/PermissionRequests.hpp"
#include "web/page/AnswerReader.hpp"
#include "web/page/LeaveQuestion.hpp"
#include "web/page/OwnWorld.hpp"
#include "web/page/ResponsePolicy.hpp"
#include "web/page/UploadChooser.hpp"
#include "web/page/WebKeys.hpp"

namespace corvina {

ServicePage::ServicePage(PageKey key, PageSurroundings& surroundings, const std::string& startAddress,
                         const std::optional<std::string>& resumeAt, std::function<void(std::string address)> wentToSleep)
    : key_(std::move(key)), surroundings_(surroundings), startAddress_(startAddress), wentToSleep_(std::move(wentToSleep)),
      webView_(surroundings.sessions.session(key_.serviceID), defaultUserAgent, owner_.bind([](ServicePage& page) { page.flashFileDropTip(); }),
               surroundings.language) {
    WebKitSettings* settings = webkit_web_view_get_settings(view());
    if (surroundings_.drawing == DrawingMode::cpu)
        webkit_settings_set_hardware_acceleration_policy(settings, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    // Voice input: the page may ask for the microphone (and is asked about it in its pane).
    webkit_settings_set_enable_media_stream(settings, TRUE);
    applyZoom();
    zoomWatch_ = surroundings_.zoom.levels().observe([this] { applyZoom(); });
    keepDesktopLayoutWatch_ = surroundings_.keepDesktopLayout.observe([this] { applyZoom(); });
    watchUserInput(view());
    if (!benchmarkTurnsOff("answer-watch")) answerWatch_ = std::make_unique<AnswerWatch>(
        view(), surroundings_.queue, owner_.bind([](ServicePage& page) { page.answering_.set(true); }),
        owner_.bind([](ServicePage& page, std::string text) {
            page.answering_.set(false);
            page.answered_.emit(text);
        }),
        owner_.bind([](ServicePage& page) { page.answering_.set(false); }));
    deliveries_ = std::make_unique<PromptDeliveries>(
        surroundings_.queue, loading_, [this] { return trouble_.get().has_value(); },
        [this](const std::string& text, PromptDeliveries::Done done) {
            // What the page shows from here on is the answer to this prompt.
            markAnswerStart(view(), text);
            deliverPrompt(view(), text, std::move(done));
        });
    connectEngine();
    if (resumeAt)
        startLoad(*resumeAt);
    loading_.set(resumeAt || loadStartAddress(startAddress));
}

ServicePage::~ServicePage() {
    // Whatever the ending sets off in the engine finds the page gone.
    owner_.release();
    answerWatch_.reset();
    deliveries_.reset();
    engine_.clear();
    surroundings_.permissions.forget(key_);
    surroundings_.notifications.forget(key_);
    surroundings_.newWindows.closeAll(key_);
    webkit_web_view_stop_loading(view());
    // End the page's web process now: the engine would keep it for reuse, memory and all.
    webkit_web_view_terminate_web_process(view());
}

// Each handler gets the page itself; the connections end with it.
void ServicePage::connectEngine() {
    auto connect = [this](const char* signal, auto handler) { engine_.emplace_back(view(), signal, handler, this); };
    connect("load-changed", +[](WebKitWebView*, WebKitLoadEvent event, ServicePage* page) { page->loadChanged(event); });
    // Only responses are ours to decide; every other decision keeps the engine's default.
    connect("decide-policy", +[](WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                 ServicePage*) -> gboolean {
        if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE;
        applyResponsePolicy(WEBKIT_RESPONSE_POLICY_DECISION(decision));
        return TRUE;
    });
    connect("load-failed", +[](WebKitWebView*, WebKitLoadEvent, char* failingURI, GError* error, ServicePage* page) -> gboolean {
        return page->loadFailed(failingURI, error);
    });
    connect("load-failed-with-tls-errors", +[](WebKitWebView*, char* failingURI, GTlsCertificate* certificate,
                                               GTlsCertificateFlags errors, ServicePage* page) -> gboolean {
        page->loadFailedForCertificate(failingURI, certificate, errors);
        return TRUE;
    });
    connect("web-process-terminated", +[](WebKitWebView*, WebKitWebProcessTerminationReason reason, ServicePage* page) {
        page->webProcessTerminated(reason);
    });
    connect("run-file-chooser", +[](WebKitWebView* view, WebKitFileChooserRequest* request, ServicePage*) -> gboolean {
        chooseFilesToUpload(view, request);
        return TRUE;
    });
    connect("create", +[](WebKitWebView* view, WebKitNavigationAction* action, ServicePage* page) -> GtkWidget* {
        WebKitWebView* popup = page->surroundings_.newWindows.request(page->key_, view, action);
        return popup ? GTK_WIDGET(popup) : nullptr;
    });
    connect("close", +[](WebKitWebView*, ServicePage* page) { page->closed(); });
    connect("script-dialog", +[](WebKitWebView*, WebKitScriptDialog* dialog, ServicePage* page) -> gboolean {
        return page->scriptDialog(dialog);
    });
    connect("permission-request", +[](WebKitWebView* view, WebKitPermissionRequest* request, ServicePage* page) -> gboolean {
        return page->surroundings_.permissions.request(page->key_, view, request);
    });
    connect("show-notification", +[](WebKitWebView*, WebKitNotification* notification, ServicePage* page) -> gboolean {
        return page->showNotification(notification);
    });
    connect("notify::title", +[](WebKitWebView* view, GParamSpec*, ServicePage* page) {
        const char* title = webkit_web_view_get_title(view);
        page->title_.set(title ? title : "");
    });
}

void ServicePage::setPaneWidth(int widthPx) {
    if (widthPx <= 0 || paneWidth_ == widthPx) return;
    paneWidth_ = widthPx;
    applyZoom();
}

// The user's own level stays as stored and shown; only the engine sees the product.
void ServicePage::applyZoom() {
    const double scale = paneWidth_ ? narrowPaneScale(*paneWidth_, surroundings_.keepDesktopLayout.get()) : 1.0;
    webkit_web_view_set_zoom_level(view(), surroundings_.zoom.level(key_.serviceID) * scale);
}

// The engine has no per-request time limit: stop a start load that has not committed in time.
void ServicePage::startLoad(const std::string& address) {
    webkit_web_view_load_uri(view(), address.c_str());
    startingAddress_ = address;
    startTimeout_ = surroundings_.queue.after(startLoadTimeout, owner_.bind([](ServicePage& page) {
        const std::string at = page.address();
        webkit_web_view_stop_loading(page.view());
        page.setUnreachable(TroubleReason::timedOut, at);
        page.startingAddress_.reset();
    }));
}

bool ServicePage::loadStartAddress(const std::string& address) {
    if (!isOpenableTagAddress(address)) {
        trouble_.set(PageTrouble{TroubleReason::addressNotAllowed, address});
        return false;
    }
    startLoad(address);
    return true;
}

// Published from the main queue, not from inside the engine's signal.
void ServicePage::loadChanged(WebKitLoadEvent event) {
    if (event == WEBKIT_LOAD_COMMITTED) committed();
    if (event != WEBKIT_LOAD_STARTED && event != WEBKIT_LOAD_FINISHED) return;
    surroundings_.queue.post(owner_.bind([loading = event == WEBKIT_LOAD_STARTED](ServicePage& page) {
        page.loading_.set(loading);
    }));
}

void ServicePage::committed() {
    deliveries_->documentGone();
    if (answering_.get()) answering_.set(false);
    const auto start = std::exchange(startingAddress_, std::nullopt);
    startTimeout_.reset();
    // An address the engine will not load (a blocked port) commits as a blank page, with no failure.
    const char* uri = webkit_web_view_get_uri(view());
    if (start && uri && std::string_view(uri) == "about:blank" && *start != uri) {
        trouble_.set(PageTrouble{refusedAddressReason(*start), *start});
        return;
    }
    retriedUnreachable_ = false;
    if (trouble_.get()) trouble_.set(std::nullopt);
}

bool ServicePage::loadFailed(const char* failingURI, GError* error) {
    if (!error) return false;
    const auto reason = loadFailureReason(g_quark_to_string(error->domain), error->code);
    if (!reason) return false;
    startingAddress_.reset();
    startTimeout_.reset();
    const std::string address = failingURI ? failingURI : startAddress_;
    // Through a proxy, what could not be reached is the proxy: the site is its business.
    const bool proxyFailed = *reason == TroubleReason::refused || *reason == TroubleReason::timedOut ||
                             *reason == TroubleReason::nameNotResolved || *reason == TroubleReason::offline;
    if (proxyFailed && surroundings_.sessions.goesThroughManualProxy(key_.serviceID, address))
        trouble_.set(PageTrouble{TroubleReason::proxyUnreachable, address});
    else
        setUnreachable(*reason, address);
    return true;  // our error page instead of the engine's
}

namespace {

std::string certificateDate(GTlsCertificate* certificate, const char* property) {
    GDateTime* date = nullptr;
    g_object_get(certificate, property, &date, nullptr);
    if (!date) return "";
    gchar* text = g_date_time_format(date, "%Y-%m-%d");
    std::string formatted = text ? text : "";
    g_free(text);
    g_date_time_unref(date);
    return formatted;
}

std::string certificateString(GTlsCertificate* certificate, const char* property) {
    gchar* value = nullptr;
    g_object_get(certificate, property, &value, nullptr);
    std::string text = value ? value : "";
    g_free(value);
    return text;
}

}  // namespace

void ServicePage::loadFailedForCertificate(const char* failingURI, GTlsCertificate* certificate,
                                           GTlsCertificateFlags errors) {
    startingAddress_.reset();
    startTimeout_.reset();
    const std::string address = failingURI ? failingURI : startAddress_;
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    const std::string host = uri && g_uri_get_host(uri) ? g_uri_get_host(uri) : "";
    if (uri) g_uri_unref(uri);
    trouble_.set(PageTrouble{certificateReason(errors), address,
                             CertificateDetails{host, certificateString(certificate, "subject-name"),
                                                certificateString(certificate, "issuer-name"),
                                                certificateDate(certificate, "not-valid-before"),
                                                certificateDate(certificate, "not-valid-after"),
                                                certificateString(certificate, "certificate-pem")}});
}

// Only ever for the host the certificate was offered by, and only for a private one.
void ServicePage::trustCertificate() {
    const auto trouble = trouble_.get();
    if (!trouble || !trouble->certificate || !mayTrustCertificateFor(trouble->certificate->host)) return;
    if (!surroundings_.sessions.trustCertificate(key_.serviceID, trouble->certificate->host, trouble->certificate->pem))
        return;
    recover();
}

void ServicePage::setUnreachable(TroubleReason reason, std::string address) {
    trouble_.set(PageTrouble{unreachableReason(reason, surroundings_.network.available()), std::move(address)});
}

// Our own ending of a page (sleep, removal) is no crash. A page ended for its memory use
// comes back once by itself; after that, and after a crash, the user decides.
void ServicePage::webProcessTerminated(WebKitWebProcessTerminationReason reason) {
    if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API) return;
    deliveries_->documentGone();
    if (answering_.get()) answering_.set(false);
    const std::string at = address();
    startingAddress_.reset();
    startTimeout_.reset();
    surroundings_.permissions.forget(key_);
    surroundings_.notifications.forget(key_);
    loading_.set(false);
    const bool memory = reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT;
    if (memory && !std::exchange(reloadedAfterMemoryLimit_, true)) {
        startLoad(at);
        return;
    }
    trouble_.set(PageTrouble{memory ? TroubleReason::outOfMemory : TroubleReason::crashed, at});
}

std::string ServicePage::address() const {
    const char* uri = webkit_web_view_get_uri(view());
    return uri && *uri ? uri : startAddress_;
}

void ServicePage::goBack() { webkit_web_view_go_back(view()); }

void ServicePage::goForward() { webkit_web_view_go_forward(view()); }

void ServicePage::reload() { webkit_web_view_reload(view()); }

void ServicePage::recover() {
    const auto trouble = trouble_.get();
    if (!trouble || trouble->reason == TroubleReason::addressNotAllowed) return;
    trouble_.set(std::nullopt);
    startLoad(trouble->address);
}

// The trouble stays until the page commits: a second failure keeps the error page.
void ServicePage::retryIfUnreachable() {
    const auto& trouble = trouble_.get();
    if (!trouble || trouble->isCrash() || trouble->reason == TroubleReason::addressNotAllowed ||
        std::exchange(retriedUnreachable_, true))
        return;
    startLoad(trouble->address);
}

// One that objects stays and is asked again next time; an answer for a page that went,
// or that the user showed again meanwhile, changes nothing.
void ServicePage::askToSleep() {
    if (sleep_ != Sleep::awake) return;
    sleep_ = Sleep::asked;
    LeaveQuestion::ask(view(), owner_.bind([](ServicePage& page, bool objects) {
        if (page.sleep_ != Sleep::asked) return;
        if (objects) {
            page.sleep_ = Sleep::awake;
            return;
        }
        page.sleep_ = Sleep::closing;
        webkit_web_view_try_close(page.view());
    }));
}

// A page's own window.close() keeps its service. The view goes once the engine's signal
// has returned.
void ServicePage::closed() {
    if (sleep_ != Sleep::closing) return;
    surroundings_.queue.post(owner_.bind([](ServicePage& page) {
        if (page.sleep_ != Sleep::closing) return;
        // The owner lets the page go inside the call.
        const auto wentToSleep = page.wentToSleep_;
        wentToSleep(page.address());
    }));
}

bool ServicePage::scriptDialog(WebKitScriptDialog* dialog) {
    if (sleep_ == Sleep::awake || webkit_script_dialog_get_dialog_type(dialog) != WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM)
        return false;
    // It objected after all, between our question and the engine's: the page stays.
    webkit_script_dialog_confirm_set_confirmed(dialog, FALSE);
    sleep_ = Sleep::awake;
    return true;
}

bool ServicePage::showNotification(WebKitNotification* notification) {
    notifiedRecently_ = true;
    notifiedTimer_ = surroundings_.queue.after(ownNoticeWindow, owner_.bind([](ServicePage& page) { page.notifiedRecently_ = false; }));
    surroundings_.notifications.show(key_, surroundings_.serviceName(key_.serviceID), notification,
                                     surroundings_.inView(key_));
    return true;
}

void ServicePage::deliver(const std::string& text, std::function<void(DeliveryOutcome)> done) {
    // The page shows the prompt once it is sent: what grows after is the answer. `done`
    // runs whether or not the page is still there.
    auto expect = owner_.bind([](ServicePage& page) {
        if (page.answerWatch_) page.answerWatch_->expectAnswer();
    });
    deliveries_->deliver(text, [expect = std::move(expect), done = std::move(done)](DeliveryOutcome outcome) {
        if (outcome == DeliveryOutcome::sent) expect();
        done(outcome);
    });
}

// A newer drop replaces the pending hide, so the tip always stays its full time.
void ServicePage::flashFileDropTip() {
    surroundings_.queue.post(owner_.bind([](ServicePage& page) {
        page.showsFileDropTip_.set(true);
        page.fileDropTipHide_ = page.surroundings_.queue.after(
            fileDropTipShownFor, page.owner_.bind([](ServicePage& shown) { shown.showsFileDropTip_.set(false); }));
    }));
}

}  // namespace corvina
