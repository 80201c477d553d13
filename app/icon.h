#pragma once

#include "runtime/surface.h"

inline constexpr int kIconSize = 64;

// Paints the window's icon: the tree, swaying, drawn small.
void PaintIcon(runtime::Surface& icon);
