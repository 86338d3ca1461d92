#pragma once
// The look the bookmark and history windows share: the lists' base colours
// (where no row is drawn), the top bars' texts and the gradient buttons.

#include <gtkmm/entry.h>

#include "controls/GlyphButton.h"
#include "controls/Panel.h"

namespace library {

// The colour of the windows' top and bottom bars.
inline constexpr controls::Rgb kBarColor{57, 56, 56};

// Installs the style for the screen, once.
void UseListStyle();

// Lays out the top bar both windows begin with: the search box `hurl`
// and its button `xs` ("Search") on `panel`. The window connects them.
void BuildSearchBar(controls::Panel& panel, Gtk::Entry& hurl, controls::GlyphButton& xs);

}  // namespace library
