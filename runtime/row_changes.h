#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace runtime::raster {

// Finds where a row of pixels differs from the row shown before it: the runs
// of one colour in which every pixel differs. The pixels are compared a few
// at a time into bit masks, so that a row costs about the same whatever its
// pattern, and the runs are then read off the masks.
class RowChanges {
 public:
  // Calls found(x, length) for each run of the row of width pixels, left
  // to right; the pixel at x gives the run's colour.
  template <typename Found>
  void ForEachRun(const uint32_t* row, const uint32_t* shown, int width, Found found);

 private:
  // Bit x of word x / 64: whether pixel x is changed, and whether it
  // continues the run of the changed pixel before it, in the same colour.
  void Mark(const uint32_t* row, const uint32_t* shown, int width);
  // The first pixel from x on that does not continue a run; the masks end
  // with one.
  int EndOfRun(int x) const;

  std::vector<uint64_t> changed_;
  std::vector<uint64_t> continues_;
};

template <typename Found>
void RowChanges::ForEachRun(const uint32_t* row, const uint32_t* shown, int width, Found found) {
  Mark(row, shown, width);
  for (size_t word = 0; word < changed_.size(); ++word) {
    for (uint64_t starts = changed_[word] & ~continues_[word]; starts != 0; starts &= starts - 1) {
      const int first = static_cast<int>(word * 64) + std::countr_zero(starts);
      found(first, EndOfRun(first + 1) - first);
    }
  }
}

}  // namespace runtime::raster
