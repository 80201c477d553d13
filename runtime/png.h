#pragma once

#include <string>

#include "runtime/software_surface.h"

namespace runtime {

// Writes the surface's picture to a PNG file.
void SavePng(const SoftwareSurface& surface, const std::string& path);

}  // namespace runtime
