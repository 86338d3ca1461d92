#pragma once
// The look the bookmark and history windows share: the lists' base colours
// (where no row is drawn), the top bars' texts and the gradient buttons.

namespace library {

// Installs the style for the screen, once.
void UseListStyle();

}  // namespace library
