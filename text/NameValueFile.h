// Files of "name = value" lines with "#" comments and blank lines, LF or CR LF: the reader the
// ship file and the uncertainty file share.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavrel {

// Takes the value of the name names[index]; returns why it is refused ("is not a number",
// "must be positive"), or nothing when it is taken.
using TakeNameValue =
    std::function<std::optional<std::string>(std::size_t index, std::string_view value)>;

// Reads every line of `in`, calling `take` for each "name = value" in the order of the file.
// `fileName` is how messages call the file. Throws InputFault "fileName:LINE: ..." for a line
// over 1000 characters, a line that is not "name = value", an unknown name (the message lists
// `names`), a name given twice, and a value `take` refuses. Returns, for every name, the line
// it was given on (0 when it was not given).
std::vector<int> ReadNameValues(std::istream& in, const std::string& fileName,
                                std::span<const std::string_view> names, const TakeNameValue& take);

}  // namespace kavrel
