// Reading the user's answers: numbers, whole numbers, yes and no, and the message that
// refuses an answer which is not a number.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kavrel {

// A finite number with "." as decimal separator, surrounding blanks ignored;
// nothing else on the text. "nan", "inf" and numbers beyond a double (1e999) are not
// numbers; a number too small for a double (1e-999) reads as 0, its nearest value.
[[nodiscard]] std::optional<double> ParseNumber(std::string_view text);

// As ParseNumber, read as a single-precision number.
[[nodiscard]] std::optional<float> ParseSingle(std::string_view text);

// A number rounded to the nearest whole number (halves away from zero) that fits
// 16 bits signed.
[[nodiscard]] std::optional<std::int16_t> ParseWhole16(std::string_view text);

// The smoothing dialogues take only exactly "n" or "N" as no.
bool IsNo(std::string_view answer);
// The temperature question takes only exactly "Y" or "y" as yes.
bool IsYes(std::string_view answer);

// The text without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// The parts one after the other with `separator` between them.
std::string Joined(std::span<const std::string> parts, std::string_view separator);

// A typed text as a message shows it: in quotes, its control and non-ASCII bytes as "?", cut
// at 40 characters and marked "...".
std::string QuotedForMessage(std::string_view text);

// The message that refuses an answer which is not a number.
std::string NotANumberMessage(const std::string& answer);

}  // namespace kavrel
