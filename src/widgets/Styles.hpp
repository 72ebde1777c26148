#pragma once

namespace corvina {

// Loads every style sheet of the app (resources/styles/*.css, one per area of the
// interface) and our icons into the toolkit, once per display.
void installStylesAndIcons();

}  // namespace corvina
