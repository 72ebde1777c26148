#include "widgets/GlassSwitch.hpp"

#include <algorithm>
#include <cmath>

#include <gdk/gdkkeysyms.h>
#include <gtkmm/snapshot.h>
#include <gtkmm/stylecontext.h>

namespace corvina {

namespace {

struct Rgba {
    double r, g, b, a;
};

constexpr Rgba blue{0.0, 0.478, 1.0, 1.0};
constexpr Rgba white{1, 1, 1, 1};
constexpr Rgba black{0, 0, 0, 1};
constexpr double hoverFadeMs = 150;
constexpr double knobInset = 2;
constexpr double strokeWidth = 0.5;

Rgba faded(Rgba color, double alpha) { return {color.r, color.g, color.b, alpha}; }

// Everything the drawing depends on at one frame.
struct Look {
    bool dark;
    double on;     // 0 off … 1 on, following the knob
    double hover;  // 0 … 1
    Rgba text;     // the primary label colour
    double pick(double darkValue, double lightValue) const { return dark ? darkValue : lightValue; }
};

void setSource(const Cairo::RefPtr<Cairo::Context>& cr, Rgba c) { cr->set_source_rgba(c.r, c.g, c.b, c.a); }

void addStop(const Cairo::RefPtr<Cairo::Gradient>& gradient, double offset, Rgba c) {
    gradient->add_color_stop_rgba(offset, c.r, c.g, c.b, c.a);
}

void capsulePath(const Cairo::RefPtr<Cairo::Context>& cr, double x, double y, double w, double h) {
    const double r = h / 2;
    cr->begin_new_sub_path();
    cr->arc(x + w - r, y + r, r, -M_PI / 2, M_PI / 2);
    cr->arc(x + r, y + r, r, M_PI / 2, 3 * M_PI / 2);
    cr->close_path();
}

// Fills the current path with `source` at `alpha`, keeping the path.
void fillWith(const Cairo::RefPtr<Cairo::Context>& cr, const Cairo::RefPtr<Cairo::Pattern>& source, double alpha) {
    if (alpha <= 0) return;
    cr->save();
    cr->clip_preserve();
    cr->set_source(source);
    cr->paint_with_alpha(alpha);
    cr->restore();
}

void fillWith(const Cairo::RefPtr<Cairo::Context>& cr, Rgba color, double alpha = 1) {
    fillWith(cr, Cairo::SolidPattern::create_rgba(color.r, color.g, color.b, color.a), alpha);
}

// The translucent material stands in as a soft neutral fill.
Rgba trackMaterial(const Look& look) { return {0.46, 0.46, 0.5, look.pick(0.24, 0.14)}; }
Rgba knobMaterial(const Look& look) { return look.dark ? Rgba{0.78, 0.78, 0.82, 0.35} : Rgba{1, 1, 1, 0.9}; }

void paintTrack(const Cairo::RefPtr<Cairo::Context>& cr, const Look& look) {
    const double w = GlassSwitch::trackWidth, h = GlassSwitch::trackHeight;
    capsulePath(cr, 0, 0, w, h);
    fillWith(cr, trackMaterial(look));
    fillWith(cr, faded(blue, look.pick(0.35, 0.25)), look.on);
    fillWith(cr, faded(look.text, look.pick(0.08, 0.04)), 1 - look.on);
    fillWith(cr, faded(white, look.pick(0.06, 0.08)), look.hover);

    auto rim = Cairo::LinearGradient::create(0, 0, 0, h);
    addStop(rim, 0, faded(white, look.pick(0.12, 0.18)));
    addStop(rim, 0.5, faded(white, 0));
    addStop(rim, 1, faded(black, look.pick(0.08, 0.04)));
    cr->set_source(rim);
    cr->set_line_width(strokeWidth);
    cr->stroke();
}

void paintKnob(const Cairo::RefPtr<Cairo::Context>& cr, const Look& look, double centreX) {
    const double r = GlassSwitch::knobSize / 2.0, cy = GlassSwitch::trackHeight / 2.0;
    cr->arc(centreX, cy, r, 0, 2 * M_PI);
    fillWith(cr, knobMaterial(look));

    auto onTint = Cairo::LinearGradient::create(centreX - r, cy - r, centreX + r, cy + r);
    addStop(onTint, 0, faded(blue, look.pick(0.55, 0.5)));
    addStop(onTint, 1, faded(blue, look.pick(0.3, 0.25)));
    fillWith(cr, onTint, look.on);
    auto offTint = Cairo::LinearGradient::create(centreX - r, cy - r, centreX + r, cy + r);
    addStop(offTint, 0, faded(white, look.pick(0.15, 0.3)));
    addStop(offTint, 1, faded(white, 0));
    fillWith(cr, offTint, 1 - look.on);

    setSource(cr, faded(blue, 0.25 * look.on));
    cr->set_line_width(strokeWidth);
    cr->stroke_preserve();
    setSource(cr, faded(white, look.pick(0.1, 0.15) * (1 - look.on)));
    cr->stroke();

    // A soft gleam on the upper half, half the knob wide.
    const double gleamW = r, gleamH = 2 * r * 0.35, gleamTop = cy - r + 1.5;
    capsulePath(cr, centreX - gleamW / 2, gleamTop, gleamW, gleamH);
    auto gleam = Cairo::LinearGradient::create(0, gleamTop, 0, gleamTop + gleamH / 2);
    addStop(gleam, 0, faded(white, look.pick(0.35, 0.55)));
    addStop(gleam, 1, faded(white, 0));
    fillWith(cr, gleam, 1);
    cr->begin_new_path();
}

void appendKnobShadow(const Glib::RefPtr<Gtk::Snapshot>& snapshot, const Look& look, double centreX) {
    const float r = GlassSwitch::knobSize / 2.0f;
    GskRoundedRect knob;
    graphene_rect_t bounds = GRAPHENE_RECT_INIT(float(centreX) - r, GlassSwitch::trackHeight / 2.0f - r, 2 * r, 2 * r);
    gsk_rounded_rect_init_from_rect(&knob, &bounds, r);
    const GdkRGBA shadow{float(blue.r), float(blue.g), float(blue.b), float(look.pick(0.3, 0.2) * look.on)};
    gtk_snapshot_append_outset_shadow(snapshot->gobj(), &knob, &shadow, 0, 0, 0, 3);
}

}  // namespace

GlassSwitch::GlassSwitch(std::function<bool()> get, std::function<void(bool)> set)
    : Glib::ObjectBase("CorvinaGlassSwitch"),
      get_(std::move(get)),
      set_(std::move(set)),
      knob_(*this, knobSpring, get_() ? 1 : 0, [this](double) { redraw(); }),
      click_(Gtk::GestureClick::create()),
      motion_(Gtk::EventControllerMotion::create()),
      keys_(Gtk::EventControllerKey::create()) {
    property_accessible_role() = Gtk::Accessible::Role::SWITCH;
    add_css_class("glass-switch");
    set_focusable(true);
    set_halign(Gtk::Align::CENTER);
    set_valign(Gtk::Align::CENTER);

    hoverFade_ = adw_timed_animation_new(gobj(), 0, 0, hoverFadeMs,
                                         adw_callback_animation_target_new(onHoverValue, this, nullptr));
    adw_timed_animation_set_easing(ADW_TIMED_ANIMATION(hoverFade_), ADW_EASE_OUT_CUBIC);
    connectInput();
    refresh();
}

void GlassSwitch::connectInput() {
    // A click anywhere on the switch, or Space / Enter while it has the focus, flips it.
    connections_ += click_->signal_released().connect([this](int, double, double) { flip(); });
    connections_ += keys_->signal_key_pressed().connect(
        [this](guint keyval, guint, Gdk::ModifierType) { return onKeyPressed(keyval); }, false);
    connections_ += motion_->signal_enter().connect([this](double, double) { setHovered(true); });
    connections_ += motion_->signal_leave().connect([this] { setHovered(false); });
    add_controller(click_);
    add_controller(motion_);
    add_controller(keys_);
}

GlassSwitch::~GlassSwitch() {
    connections_.clear();
    adw_animation_reset(hoverFade_);
    g_object_unref(hoverFade_);
}

void GlassSwitch::refresh() {
    const bool on = get_();
    knob_.animateTo(on ? 1 : 0);
    gtk_accessible_update_state(GTK_ACCESSIBLE(gobj()), GTK_ACCESSIBLE_STATE_CHECKED,
                                on ? GTK_ACCESSIBLE_TRISTATE_TRUE : GTK_ACCESSIBLE_TRISTATE_FALSE, -1);
}

void GlassSwitch::flip() {
    set_(!get_());
    refresh();
}

bool GlassSwitch::onKeyPressed(guint keyval) {
    switch (keyval) {
        case GDK_KEY_space:
        case GDK_KEY_KP_Space:
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter:
            flip();
            return true;
        default:
            return false;
    }
}

void GlassSwitch::setHovered(bool hovered) {
    auto* fade = ADW_TIMED_ANIMATION(hoverFade_);
    adw_timed_animation_set_value_from(fade, hover_);
    adw_timed_animation_set_value_to(fade, hovered ? 1 : 0);
    adw_animation_play(hoverFade_);
}

void GlassSwitch::onHoverValue(double value, gpointer self) {
    auto* glassSwitch = static_cast<GlassSwitch*>(self);
    glassSwitch->hover_ = value;
    glassSwitch->redraw();
}

void GlassSwitch::redraw() {
    // Animations end with a last value while the switch is torn down, maybe after its
    // toolkit half is already gone.
    if (gobj()) queue_draw();
}

Gtk::SizeRequestMode GlassSwitch::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::CONSTANT_SIZE; }

void GlassSwitch::measure_vfunc(Gtk::Orientation orientation, int, int& minimum, int& natural, int& minimumBaseline,
                                int& naturalBaseline) const {
    minimum = natural = orientation == Gtk::Orientation::HORIZONTAL ? trackWidth : trackHeight;
    minimumBaseline = naturalBaseline = -1;
}

void GlassSwitch::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
    const Gdk::RGBA text = get_style_context()->get_color();
    const Look look{static_cast<bool>(adw_style_manager_get_dark(adw_style_manager_get_default())),
                    std::clamp(knob_.value(), 0.0, 1.0), hover_,
                    {text.get_red(), text.get_green(), text.get_blue(), 1}};
    // The spring may overshoot a little; the knob follows it, the colours do not.
    const double travel = trackWidth - knobSize - 2 * knobInset;
    const double centreX = knobInset + knobSize / 2.0 + travel * knob_.value();
    const Gdk::Rectangle bounds(0, 0, trackWidth, trackHeight);
    paintTrack(snapshot->append_cairo(bounds), look);
    appendKnobShadow(snapshot, look, centreX);
    paintKnob(snapshot->append_cairo(bounds), look, centreX);
}

}  // namespace corvina
