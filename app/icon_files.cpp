// Renders the installed icons: the program's icon in each size given, as
// PNG files named after their size in the folder given.

#include <cstdio>
#include <exception>
#include <string>

#include "app/icon.h"
#include "runtime/png.h"
#include "runtime/software_surface.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
    return 2;
  }
  try {
    for (int i = 2; i < argc; ++i) {
      const int size = std::stoi(argv[i]);
      runtime::SoftwareSurface icon(size, size, 0);
      icon.Cls();
      PaintIcon(icon, size);
      runtime::SavePng(icon, std::string(argv[1]) + "/" + argv[i] + ".png");
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
    return 1;
  }
  return 0;
}
