// Reading text line by line in bounded memory: a line longer than the limit keeps its first
// characters and is marked as cut, so that any input, binary or endless lines, costs little.
#pragma once

#include <cstddef>
#include <optional>
#include <streambuf>
#include <string>

namespace kavrel {

// Which characters end a line. Answers end in LF (a CR before it is the caller's business);
// data files in LF, CR LF or a lone CR.
enum class LineEnds { Lf, LfCrLfOrCr };

struct BoundedLine {
  std::string text;  // without its line end, at most the limit's characters
  bool cut = false;  // characters beyond the limit were dropped
};

// The next line of `in`; nothing at the end of the input.
std::optional<BoundedLine> ReadBoundedLine(std::streambuf& in, std::size_t maxLength,
                                           LineEnds ends);

}  // namespace kavrel
