// The "name = value" reader: one setting a line, the first "#" starting a comment.
#include "text/NameValueFile.h"

#include "text/Answers.h"
#include "text/Faults.h"
#include "text/LineReader.h"

namespace kavrel {

namespace {

constexpr std::size_t MaxLineLength = 1000;

}  // namespace

std::vector<int> ReadNameValues(std::istream& in, const std::string& fileName,
                                std::span<const std::string_view> names,
                                const TakeNameValue& take) {
  std::vector<int> given(names.size(), 0);
  const auto fail = [&](int line, const std::string& what) {
    throw InputFault(fileName + ":" + std::to_string(line) + ": " + what);
  };
  int lineNumber = 0;
  while (auto line = ReadBoundedLine(*in.rdbuf(), MaxLineLength)) {
    ++lineNumber;
    if (line->cut) fail(lineNumber, "the line is too long (more than 1000 characters)");
    std::string_view text = line->text;
    // A byte-order mark that an editor put at the start of the file is not part of the text.
    if (lineNumber == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    text = TrimBlanks(text.substr(0, text.find('#')));
    if (text.empty()) continue;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
      fail(lineNumber, "expected a line \"name = value\", found " + QuotedForMessage(text));
    }
    const std::string_view key = TrimBlanks(text.substr(0, equals));
    const std::string_view value = TrimBlanks(text.substr(equals + 1));
    std::size_t index = 0;
    while (index < names.size() && names[index] != key) ++index;
    if (index == names.size()) {
      std::string known;
      for (const std::string_view name : names)
        known += (known.empty() ? "" : ", ") + std::string(name);
      fail(lineNumber, "unknown name " + QuotedForMessage(key) + " (the names are " + known + ")");
    }
    const std::string name(names[index]);
    if (given[index] != 0) {
      fail(lineNumber,
           name + " is given twice (first on line " + std::to_string(given[index]) + ")");
    }
    given[index] = lineNumber;
    if (const auto refusal = take(index, value)) {
      fail(lineNumber, "the value " + QuotedForMessage(value) + " of " + name + " " + *refusal);
    }
  }
  return given;
}

}  // namespace kavrel
