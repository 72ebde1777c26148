#include "panels/PromptsPanelRow.hpp"

#include "widgets/Accessibility.hpp"

namespace corvina {

namespace {

constexpr LocalizedText useText{"Use in Ask Several", "在多方提問中使用", "在多方提问中使用"};
constexpr LocalizedText editText{"Edit", "編輯", "编辑"};
constexpr LocalizedText deleteText{"Delete", "刪除", "删除"};
constexpr LocalizedText markText{"Choose for export: %s", "選擇匯出：%s", "选择导出：%s"};

}  // namespace

LocalizedText problemText(PromptProblem problem) {
    switch (problem) {
        case PromptProblem::unreadable: return {"Cannot be read", "無法讀取", "无法读取"};
        case PromptProblem::tooLarge: return {"Larger than 1 MB", "大於 1 MB", "大于 1 MB"};
        case PromptProblem::notUtf8: return {"Not UTF-8 text", "不是 UTF-8 文字", "不是 UTF-8 文本"};
        case PromptProblem::badHeader: break;
    }
    return {"No valid title header", "缺少有效的標題開頭", "缺少有效的标题开头"};
}

PromptsPanelRow::PromptsPanelRow(MainQueue& queue, Actions actions)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 6), use_(queue, "ask.several"), edit_(queue, "pencil"),
      delete_(queue, "trash") {
    add_css_class("glass");
    add_css_class("side-panel-card");
    add_css_class("prompt-row");
    mark_.set_valign(Gtk::Align::CENTER);
    append(mark_);
    title_.add_css_class("tag-name");
    title_.set_xalign(0);
    title_.set_ellipsize(Pango::EllipsizeMode::END);
    title_.set_max_width_chars(14);
    detail_.add_css_class("dim-label");
    detail_.add_css_class("prompt-row-detail");
    detail_.set_xalign(0);
    detail_.set_ellipsize(Pango::EllipsizeMode::END);
    detail_.set_max_width_chars(14);
    texts_.append(title_);
    texts_.append(detail_);
    texts_.set_hexpand(true);
    texts_.set_valign(Gtk::Align::CENTER);
    append(texts_);
    for (auto* button : {&use_, &edit_, &delete_}) {
        button->set_valign(Gtk::Align::CENTER);
        append(*button);
    }
    connections_ += use_.signal_clicked().connect(std::move(actions.use));
    connections_ += edit_.signal_clicked().connect(std::move(actions.edit));
    connections_ += delete_.signal_clicked().connect(std::move(actions.remove));
    markWatch_ = mark_.signal_toggled().connect([this, marked = std::move(actions.marked)] { marked(mark_.get_active()); });
}

void PromptsPanelRow::showEntry(const PromptEntry& entry, bool marked, AppLanguage language) {
    const bool usable = !entry.problem;
    title_.set_text(usable ? entry.prompt.title : entry.fileName);
    detail_.set_text(usable ? entry.prompt.text.substr(0, entry.prompt.text.find('\n'))
                            : problemText(*entry.problem).in(language));
    // A file that cannot be used is only listed: it is never rewritten or removed.
    for (auto* widget : std::initializer_list<Gtk::Widget*>{&mark_, &use_, &edit_, &delete_}) widget->set_visible(usable);
    {
        ScopedBlock quiet(markWatch_);
        mark_.set_active(marked);
    }
    setAccessibleLabel(mark_, markText.in(language, title_.get_text()));
    use_.setName(useText.in(language));
    edit_.setName(editText.in(language));
    delete_.setName(deleteText.in(language));
}

}  // namespace corvina
