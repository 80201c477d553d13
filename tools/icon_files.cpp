// Renders the program's icon in each size given: as PNG files named after
// their size in the folder given, or as one Windows icon file (.ico) that
// holds every size, each image stored as PNG.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/icon.h"
#include "host/png.h"
#include "host/software_surface.h"
#include "runtime/handler.h"

namespace {

constexpr int kLargestIconSize = 256;  // stored as 0 in an icon file

void SavePng(int size, const std::string& path) {
  host::SoftwareSurface icon(size, size, 0);
  icon.Cls();
  PaintIcon(icon, size);
  host::SavePng(icon, path);
}

// The icon's PNG file in one size, as bytes.
std::string PngBytes(int size, const std::string& scratch) {
  SavePng(size, scratch);
  std::string bytes;
  {
    std::ifstream file(scratch, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  std::remove(scratch.c_str());
  return bytes;
}

// Little-endian, as the icon file's header and directory are.
void Put(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
}

void WriteIcon(const std::string& path, const std::vector<int>& sizes) {
  std::vector<std::string> images;
  for (int size : sizes) {
    if (size < 1 || size > kLargestIconSize) throw std::runtime_error("an icon file holds sizes 1 to 256");
    images.push_back(PngBytes(size, path + ".png"));
  }
  std::ofstream out(path, std::ios::binary);
  constexpr uint32_t kHeaderBytes = 6, kEntryBytes = 16, kIcon = 1, kPlanes = 1, kBitsPerPixel = 32;
  Put(out, 0, 2);
  Put(out, kIcon, 2);
  Put(out, static_cast<uint32_t>(sizes.size()), 2);
  auto offset = static_cast<uint32_t>(kHeaderBytes + kEntryBytes * sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) {
    const auto side = static_cast<uint32_t>(sizes[i] % kLargestIconSize);
    Put(out, side, 1);  // width
    Put(out, side, 1);  // height
    Put(out, 0, 1);     // no palette
    Put(out, 0, 1);
    Put(out, kPlanes, 2);
    Put(out, kBitsPerPixel, 2);
    Put(out, static_cast<uint32_t>(images[i].size()), 4);
    Put(out, offset, 4);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const auto& image : images) out << image;
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FOLDER|FILE.ico SIZE...\n", argv[0]);
    return 2;
  }
  return runtime::RunHandler(
      argv[0],
      [&] {
        const std::string target = argv[1];
        std::vector<int> sizes;
        for (int i = 2; i < argc; ++i) sizes.push_back(std::stoi(argv[i]));
        if (target.ends_with(".ico")) {
          WriteIcon(target, sizes);
        } else {
          for (int size : sizes) SavePng(size, target + "/" + std::to_string(size) + ".png");
        }
        return 0;
      },
      [](std::string_view line) { std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data()); });
}
