// The icon as drawings: the colour picture as SVG, and its one-colour outline for panels that
// recolour their icons.
#pragma once

#include <string>

namespace vorlask::icons {

// The colour icon, drawn on the 128-pixel plate.
std::string Svg();
// The outline icon, on the 16-pixel grid.
std::string SymbolicSvg();

}  // namespace vorlask::icons
