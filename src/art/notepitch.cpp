#include "art/notepitch.h"

#include <stdexcept>
#include <string>

namespace merin::art {

NotePitch NotePitchOf(std::string_view code) {
  const bool noSharp = !code.empty() && (code[0] == '3' || code[0] == '7');
  const bool known = code.size() == 2 && code[0] >= '1' && code[0] <= '7' && code[1] >= '1' &&
                     code[1] <= (noSharp ? '2' : '4');
  if (!known) throw std::invalid_argument("\"" + std::string(code) + "\" is not a note code");
  const int letter = code[0] - '1';
  const int presses = code[1] - '1';
  if (noSharp) return {letter + 7 * presses, false};
  return {letter + 7 * (presses / 2), presses % 2 == 1};
}

}  // namespace merin::art
