// Reading one line through the stream buffer, in bounded memory.
#include "text/LineReader.h"

namespace kavrel {

std::optional<BoundedLine> ReadBoundedLine(std::streambuf& in, std::size_t maxLength,
                                           LineEnds ends) {
  BoundedLine line;
  bool any = false;
  for (;;) {
    const int c = in.sbumpc();
    if (c == std::char_traits<char>::eof()) break;
    any = true;
    if (c == '\n') break;
    if (c == '\r' && ends == LineEnds::LfCrLfOrCr) {
      if (in.sgetc() == '\n') in.sbumpc();
      break;
    }
    if (line.text.size() < maxLength) {
      line.text.push_back(static_cast<char>(c));
    } else {
      line.cut = true;
    }
  }
  if (!any) return std::nullopt;
  return line;
}

}  // namespace kavrel
