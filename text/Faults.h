// What ends an analysis without a report: a fault in the input, a report or picture that
// cannot be written, and the user's choice to stop. Thrown where found, caught once in
// app/main.cpp.
#pragma once

#include <stdexcept>
#include <string>

namespace kavrel {

// A fault in the input (data file, answers). The message names what is wrong and where
// (file and line, run, the refused answer). No report is written once this is thrown.
class InputFault : public std::runtime_error {
 public:
  explicit InputFault(const std::string& message) : std::runtime_error(message) {}
};

// The report or a picture could not be written (read-only folder, full disk).
class WriteFault : public std::runtime_error {
 public:
  explicit WriteFault(const std::string& message) : std::runtime_error(message) {}
};

// The user chose to stop the analysis at a question or a message (the desktop's Ctrl+Q or the
// close box of the text window, then Stop). Nothing is written after it.
class StoppedByUser : public std::runtime_error {
 public:
  StoppedByUser() : std::runtime_error("stopped by the user; no report was written") {}
};

}  // namespace kavrel
