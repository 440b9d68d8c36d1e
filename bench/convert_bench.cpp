// SPDX-License-Identifier: MIT
// The key-press conversion of many melodies in one call, built natively and by Emscripten from
// this same source (bench/wasm runs both): 100,000 random melodies of 30 slots (notes, rests and
// empty slots), each converted by ConvertMelody, in 7 rounds. Prints the best and the median
// round in melodies a second, and the bytes of the listings, which both builds must agree on.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/pitch.h"
#include "output/convert.h"

int main() {
  constexpr size_t kMelodies = 100'000;
  constexpr int kRounds = 7;
  std::vector<std::string> codes = merin::NoteCodes();
  codes.insert(codes.end(), {"01", "99"});
  std::mt19937 random(98);
  std::vector<std::array<std::string, 30>> melodies(kMelodies);
  for (auto& melody : melodies) {
    for (std::string& code : melody) code = codes[random() % codes.size()];
  }

  std::vector<double> rates;
  size_t bytes = 0;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    bytes = 0;
    for (const auto& melody : melodies) bytes += merin::ConvertMelody(melody).size();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    rates.push_back(double(kMelodies) / took.count());
  }
  std::sort(rates.begin(), rates.end());
  std::printf("%zu melodies converted: best %.0f/s, median %.0f/s (%zu bytes of listings)\n",
              kMelodies, rates.back(), rates[kRounds / 2], bytes);
}
