#include "runtime/row_changes.h"

#include <algorithm>
#include <cstring>

namespace runtime::raster {
namespace {

// Four pixels, compared at once by the processor's vector instructions
// where it has them.
using Quad = uint32_t __attribute__((vector_size(16)));

Quad Load(const uint32_t* pixels) {
  Quad quad;
  std::memcpy(&quad, pixels, sizeof quad);
  return quad;
}

// Bit i: whether a[i] and b[i] differ, for the 16 pixels from each.
uint64_t Differ16(const uint32_t* a, const uint32_t* b) {
  Quad bits{};
  for (int i = 0; i < 16; i += 4) {
    const Quad differ = reinterpret_cast<Quad>(Load(a + i) != Load(b + i));
    bits |= differ & (Quad{1, 2, 4, 8} << i);
  }
  return bits[0] | bits[1] | bits[2] | bits[3];
}

// Bit i of words[i / 64]: whether a[i] and b[i] differ, for i < count; the
// words hold count + 1 bits at least, and the rest are clear. Sixteen pixels
// at a time: where count is not a multiple of 16, the last sixteen overlap
// the ones before.
void Differ(const uint32_t* a, const uint32_t* b, int count, std::vector<uint64_t>& words) {
  for (size_t word = 0; word < words.size(); ++word) {
    const int first = static_cast<int>(word * 64);
    const int end = std::min(count, first + 64);
    uint64_t bits = 0;
    if (count < 16) {
      for (int i = first; i < end; ++i) bits |= uint64_t{a[i] != b[i]} << (i - first);
    } else {
      for (int i = first; i < end; i += 16) {
        const int from = std::min(i, count - 16);
        const uint64_t differ = Differ16(a + from, b + from);
        bits |= from >= first ? differ << (from - first) : differ >> (first - from);
      }
    }
    words[word] = bits;
  }
}

}  // namespace

void RowChanges::Mark(const uint32_t* row, const uint32_t* shown, int width) {
  const size_t words = static_cast<size_t>(width) / 64 + 1;
  changed_.resize(words);
  continues_.resize(words);
  Differ(row, shown, width, changed_);
  // Bit x: whether pixel x + 1 has another colour than pixel x.
  Differ(row + 1, row, width - 1, continues_);
  // Pixel x continues a run where it is changed, and the pixel before it is
  // changed and of the same colour.
  uint64_t carried = 0;
  for (size_t word = 0; word < words; ++word) {
    const uint64_t leadsOn = changed_[word] & ~continues_[word];
    continues_[word] = changed_[word] & ((leadsOn << 1) | carried);
    carried = leadsOn >> 63;
  }
}

int RowChanges::EndOfRun(int x) const {
  for (;;) {
    const uint64_t stops = ~continues_[static_cast<size_t>(x) / 64] >> (x % 64);
    if (stops != 0) return x + std::countr_zero(stops);
    x = (x / 64 + 1) * 64;
  }
}

}  // namespace runtime::raster
