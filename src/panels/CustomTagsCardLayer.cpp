#include "panels/CustomTagsCardLayer.hpp"

#include "widgets/Accessibility.hpp"

namespace corvina {

CustomTagsCardLayer::CustomTagsCardLayer(Gtk::Widget& card, std::function<void()> onCancel)
    : card_(card), presenceSpring_(*this, leaveSpring, 0, [this](double presence) { applyPresence(presence); }) {
    add_css_class("tags-card-layer");
    cover_.add_css_class("side-panel-cover");
    // A pointer-only way out; the keyboard has Escape and the card's Cancel, and screen
    // readers the card's buttons.
    cover_.set_focusable(false);
    gtk_accessible_update_state(GTK_ACCESSIBLE(cover_.gobj()), GTK_ACCESSIBLE_STATE_HIDDEN, TRUE, -1);
    connections_ += cover_.signal_clicked().connect(onCancel);
    cover_.set_parent(*this);
    card_.add_css_class("glass");
    card_.add_css_class("side-panel-floating-card");
    card_.set_parent(*this);

    closeOnEscape(*this, onCancel);
    set_visible(false);
}

CustomTagsCardLayer::~CustomTagsCardLayer() {
    connections_.clear();
    card_.unparent();
    cover_.unparent();
}

void CustomTagsCardLayer::appear() {
    set_can_target(true);
    presenceSpring_.set(1);
}

// The panel is usable again at once; only the picture fades.
void CustomTagsCardLayer::leave() {
    set_can_target(false);
    presenceSpring_.animateTo(0);
}

void CustomTagsCardLayer::applyPresence(double presence) {
    presence_ = presence;
    set_visible(presence > 0);
    set_opacity(presence);
    queue_allocate();
}

void CustomTagsCardLayer::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                                        int& minimumBaseline, int& naturalBaseline) const {
    int cardMinimum = 0, cardNatural = 0, ignored = 0;
    cover_.measure(orientation, forSize, minimum, natural, ignored, ignored);
    card_.measure(orientation, -1, cardMinimum, cardNatural, ignored, ignored);
    minimum = std::max(minimum, cardMinimum);
    natural = std::max(natural, cardNatural);
    minimumBaseline = naturalBaseline = -1;
}

// The cover takes everything; the card its own width (its size request) and the height it
// needs at that width, centred, scaled about its centre while it leaves.
void CustomTagsCardLayer::size_allocate_vfunc(int width, int height, int) {
    cover_.size_allocate(Gtk::Allocation(0, 0, width, height), -1);
    int minimum = 0, natural = 0, ignored = 0;
    card_.measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
    const int cardWidth = std::min(minimum, width);
    card_.measure(Gtk::Orientation::VERTICAL, cardWidth, minimum, natural, ignored, ignored);
    const int cardHeight = std::min(natural, height);
    const double scale = leftScale + (1 - leftScale) * presence_;
    graphene_point_t centre = GRAPHENE_POINT_INIT(width / 2.0f, height / 2.0f);
    graphene_point_t corner = GRAPHENE_POINT_INIT(-cardWidth / 2.0f, -cardHeight / 2.0f);
    GskTransform* transform = gsk_transform_translate(nullptr, &centre);
    transform = gsk_transform_scale(transform, static_cast<float>(scale), static_cast<float>(scale));
    transform = gsk_transform_translate(transform, &corner);
    gtk_widget_allocate(card_.gobj(), cardWidth, cardHeight, -1, transform);
}

}  // namespace corvina
