// Renders the README's animated picture: the window's frames at 10 a second,
// drawn by the window's own tick with a clock that starts at a fixed time and
// the program's own generator, so that every run writes the same file.
//
//   tree-gif OUTPUT.gif

#include <gif_lib.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form1.h"
#include "host/software_surface.h"
#include "runtime/clock.h"
#include "runtime/handler.h"

namespace {

constexpr double kStartTime = 12 * 3600;  // noon
constexpr int kTicksBefore = 3;           // past the first frame, a single vertical line
constexpr int kFrames = 40;               // four seconds
constexpr int kDelay = 10;                // hundredths of a second between frames
constexpr int kPaletteSize = 64;          // the tree has fewer colours, black included

using Frame = std::vector<runtime::Rgb>;

// A clock that shows the time it is set to.
class SetClock final : public runtime::Clock {
 public:
  double Timer() override { return now; }

  double now = kStartTime;
};

std::vector<Frame> RenderFrames() {
  const auto& settings = Form1::kSettings;
  host::SoftwareSurface surface(settings.width, settings.height, settings.background);
  SetClock clock;
  runtime::Generator random;
  Form1 form({surface, clock, random});
  form.Form_Load();
  std::vector<Frame> frames;
  for (int tick = 0; tick < kTicksBefore + kFrames; ++tick) {
    clock.now += std::chrono::duration<double>(settings.timerInterval).count();
    form.Timer1_Timer();
    if (tick < kTicksBefore) continue;
    Frame& frame = frames.emplace_back();
    for (int y = 0; y < surface.height(); ++y) {
      for (int x = 0; x < surface.width(); ++x) frame.push_back(surface.Pixel(x, y));
    }
  }
  return frames;
}

void Check(int status, GifFileType* gif) {
  if (status != GIF_OK) throw std::runtime_error(GifErrorString(gif->Error));
}

void WriteGif(const std::string& path, const std::vector<Frame>& frames) {
  // One palette for every frame, black first.
  std::map<uint32_t, GifPixelType> indices{{0, 0}};
  std::vector<GifColorType> colours{{0, 0, 0}};
  const auto key = [](runtime::Rgb rgb) { return static_cast<uint32_t>(runtime::ColourOf(rgb)); };
  for (const auto& frame : frames) {
    for (const auto rgb : frame) {
      if (indices.emplace(key(rgb), static_cast<GifPixelType>(colours.size())).second) {
        colours.push_back({rgb.red, rgb.green, rgb.blue});
      }
    }
  }
  if (colours.size() > kPaletteSize) throw std::runtime_error("more colours than the palette holds");
  colours.resize(kPaletteSize);

  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (!gif) throw std::runtime_error(GifErrorString(error));
  EGifSetGifVersion(gif, true);
  ColorMapObject* palette = GifMakeMapObject(kPaletteSize, colours.data());
  const int width = Form1::kSettings.width, height = Form1::kSettings.height;
  Check(EGifPutScreenDesc(gif, width, height, 8, 0, palette), gif);
  GifFreeMapObject(palette);

  // Loop for ever.
  const GifByteType application[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  const GifByteType loop[] = {1, 0, 0};
  Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), gif);
  Check(EGifPutExtensionBlock(gif, sizeof application, application), gif);
  Check(EGifPutExtensionBlock(gif, sizeof loop, loop), gif);
  Check(EGifPutExtensionTrailer(gif), gif);

  GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, kDelay, NO_TRANSPARENT_COLOR};
  GifByteType controlBytes[4];
  EGifGCBToExtension(&control, controlBytes);
  std::vector<GifPixelType> row(static_cast<size_t>(width));
  for (const auto& frame : frames) {
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof controlBytes, controlBytes), gif);
    Check(EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr), gif);
    auto pixel = frame.begin();
    for (int y = 0; y < height; ++y) {
      for (auto& index : row) index = indices[key(*pixel++)];
      Check(EGifPutLine(gif, row.data(), width), gif);
    }
  }
  if (EGifCloseFile(gif, &error) != GIF_OK) throw std::runtime_error(GifErrorString(error));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.gif\n", argv[0]);
    return 2;
  }
  return runtime::RunHandler(
      argv[0],
      [&] {
        WriteGif(argv[1], RenderFrames());
        return 0;
      },
      [](std::string_view line) { std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data()); });
}
