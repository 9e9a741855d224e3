// The one exception type for a fault in the input that ends an analysis:
// thrown where the fault is found, caught once in app/main.cpp.
#pragma once

#include <stdexcept>
#include <string>

namespace kavrel {

// The message names what is wrong and where (file and line, run, the refused
// answer). No report is written once this is thrown.
class InputFault : public std::runtime_error {
 public:
  explicit InputFault(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kavrel
