#include "panels/ClipboardPanelRow.hpp"

#include <glib.h>
#include <pangomm/layout.h>

namespace corvina {

namespace {

constexpr LocalizedText copyText{"Copy", "拷貝", "拷贝"};
constexpr LocalizedText deleteText{"Delete", "刪除", "删除"};

// Only three lines show, so only the start of an entry is laid out: a copied log of
// megabytes would stall the panel.
std::string startOfEntry(const std::string& text) {
    constexpr std::size_t maxBytes = 1024;
    const char* validEnd = nullptr;
    g_utf8_validate(text.data(), static_cast<gssize>(std::min(text.size(), maxBytes)), &validEnd);
    return text.substr(0, static_cast<std::size_t>(validEnd - text.data()));
}

std::vector<std::string> paragraphsOf(const std::string& text) {
    std::vector<std::string> paragraphs(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') {
            paragraphs.back() += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        paragraphs.emplace_back();
    }
    return paragraphs;
}

}  // namespace

// The label limits lines per paragraph, not in all: one paragraph may wrap over three
// lines; several show one line each, the first three of them, "…" marking the rest.
ClipboardPanelRow::ShownEntry ClipboardPanelRow::shownEntry(const std::string& text) {
    const auto paragraphs = paragraphsOf(startOfEntry(text));
    if (paragraphs.size() == 1) return {paragraphs.front(), shownLineLimit};
    const std::size_t shownParagraphs = std::min<std::size_t>(paragraphs.size(), shownLineLimit);
    std::string shown;
    for (std::size_t i = 0; i < shownParagraphs; ++i) shown += (i ? "\n" : "") + paragraphs[i];
    if (paragraphs.size() > shownParagraphs) shown += "…";
    return {shown, 1};
}

ClipboardPanelRow::ClipboardPanelRow(MainQueue& queue, std::function<void()> onCopy, std::function<void()> onDelete)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 8), copy_(queue, "doc.on.doc"), delete_(queue, "trash") {
    add_css_class("glass");
    add_css_class("side-panel-card");

    number_.add_css_class("clipboard-number");
    number_.set_size_request(18, -1);
    number_.set_xalign(1);
    number_.set_valign(Gtk::Align::START);
    append(number_);

    text_.add_css_class("clipboard-text");
    text_.set_xalign(0);
    text_.set_valign(Gtk::Align::START);
    text_.set_hexpand(true);
    text_.set_wrap(true);
    text_.set_wrap_mode(Pango::WrapMode::WORD_CHAR);
    text_.set_ellipsize(Pango::EllipsizeMode::END);
    // Keeps the label from asking for the width of its whole text.
    text_.set_max_width_chars(24);
    append(text_);

    buttons_.set_valign(Gtk::Align::START);
    connections_ += copy_.signal_clicked().connect(std::move(onCopy));
    connections_ += delete_.signal_clicked().connect(std::move(onDelete));
    buttons_.append(copy_);
    buttons_.append(delete_);
    append(buttons_);
}

void ClipboardPanelRow::showEntry(std::size_t position, const std::string& text) {
    number_.set_text(std::to_string(position + 1));
    const auto shown = shownEntry(text);
    text_.set_text(shown.text);
    text_.set_lines(shown.linesPerParagraph);
}

void ClipboardPanelRow::setCopiedMarkShown(bool shown) {
    copy_.setSymbol(shown ? "checkmark" : "doc.on.doc");
    shown ? copy_.add_css_class("copied") : copy_.remove_css_class("copied");
}

void ClipboardPanelRow::retitle(AppLanguage language) {
    copy_.setName(copyText.in(language));
    delete_.setName(deleteText.in(language));
}

int ClipboardPanelRow::shownLines() const { return text_.get_layout()->get_line_count(); }

}  // namespace corvina
