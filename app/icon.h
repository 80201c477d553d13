#pragma once

#include "runtime/surface.h"

// The window's icon size; the installed icons come in further sizes.
inline constexpr int kIconSize = 64;

// Paints the icon, size pixels square: the tree, swaying, drawn small.
void PaintIcon(runtime::Surface& icon, int size);
