#pragma once

#include <random>

namespace runtime {

// The random-number generator: each call gives the next number of a
// pseudo-random sequence, uniform in [0, 1). Tests play a script through
// testing/fakes.h's ScriptedRandom.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual float Rnd() = 0;
};

// Never seeded by the program, so every run sees the same sequence.
class Generator final : public RandomSource {
 public:
  float Rnd() override;

 private:
  std::mt19937 engine_;
};

}  // namespace runtime
