#pragma once
// The one way a step refuses: it records why (when the caller asked) and returns
// false, so every refusal reads `return Fail(error, "reason");`.
#include <string>

namespace kov {

inline bool Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

}  // namespace kov
