// Reading one line through the stream buffer, in bounded memory.
#include "text/LineReader.h"

namespace kavrel {

std::optional<BoundedLine> ReadBoundedLine(std::streambuf& in, std::size_t maxLength) {
  constexpr int End = std::char_traits<char>::eof();
  BoundedLine line;
  bool any = false;
  for (;;) {
    const int c = in.sbumpc();
    if (c == End) break;
    any = true;
    if (c == '\n') break;
    if (c == '\r') {
      const int next = in.sgetc();
      if (next == End) break;
      if (next == '\n') {
        in.sbumpc();
        break;
      }
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
