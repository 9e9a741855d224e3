// Reading text line by line in bounded memory: a line longer than the limit keeps its first
// characters and is marked as cut, so that any input, binary or endless lines, costs little.
#pragma once

#include <cstddef>
#include <optional>
#include <streambuf>
#include <string>

namespace kavrel {

struct BoundedLine {
  std::string text;  // without its line end, at most the limit's characters
  bool cut = false;  // characters beyond the limit were dropped
};

// The next line of `in`; nothing at the end of the input. A line ends in LF or CR LF (a CR
// just before the end of the input is dropped too); a lone CR inside a line is one of its
// characters, never a line end.
[[nodiscard]] std::optional<BoundedLine> ReadBoundedLine(std::streambuf& in, std::size_t maxLength);

}  // namespace kavrel
