#pragma once

// Test doubles for the runtime services: a clock the test sets, a generator
// that plays back a script, and a surface that records what is drawn. The
// real ones: runtime/clock.h, runtime/random.h, host/software_surface.h.

#include <deque>
#include <stdexcept>
#include <vector>

#include "runtime/clock.h"
#include "runtime/error.h"
#include "runtime/random.h"
#include "runtime/surface.h"

namespace fakes {

class FakeClock final : public runtime::Clock {
 public:
  double Timer() override { return now; }

  double now = 0.0;
};

class ScriptedRandom final : public runtime::RandomSource {
 public:
  explicit ScriptedRandom(std::vector<float> script = {}) : script_(script.begin(), script.end()) {}

  void Add(std::vector<float> more) { script_.insert(script_.end(), more.begin(), more.end()); }

  // Plays the script, then 0.5 for ever.
  float Rnd() override {
    ++draws;
    if (script_.empty()) return 0.5f;
    const float next = script_.front();
    script_.pop_front();
    return next;
  }

  int draws = 0;

 private:
  std::deque<float> script_;
};

struct DrawnLine {
  float x1, y1, x2, y2;
  runtime::Colour colour;

  friend bool operator==(const DrawnLine&, const DrawnLine&) = default;
  friend auto operator<=>(const DrawnLine&, const DrawnLine&) = default;  // NOLINT(modernize-use-nullptr)
};

class RecordingSurface final : public runtime::Surface {
 public:
  void Cls() override {
    ++clears;
    lines.clear();
  }

  // Records the segment; once failAfter segments are recorded, fails like a
  // surface whose toolkit reports an error.
  void Line(float x1, float y1, float x2, float y2, runtime::Colour colour) override {
    if (failAfter >= 0 && static_cast<int>(lines.size()) >= failAfter) {
      throw runtime::Error(runtime::ErrorKind::Host, "Line failed");
    }
    lines.push_back({x1, y1, x2, y2, colour});
  }

  std::vector<DrawnLine> lines;
  int clears = 0;
  int failAfter = -1;
};

}  // namespace fakes
