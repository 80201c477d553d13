#pragma once

#include <memory>
#include <string>

#include "host/software_surface.h"

namespace host {

// Writes the surface's picture to a PNG file.
void SavePng(const SoftwareSurface& surface, const std::string& path);

// Reads a PNG file into a surface of its size.
std::unique_ptr<SoftwareSurface> LoadPng(const std::string& path);

}  // namespace host
