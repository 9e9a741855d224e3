// Reading the user's answers: numbers, whole numbers, yes and no, and the one
// helper that asks a numeric question again until its answer can be used.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/Toolkit.h"

namespace kavrel {

// A finite number with "." as decimal separator, surrounding blanks ignored;
// nothing else on the text. "nan", "inf" and numbers beyond a double (1e999) are not
// numbers; a number too small for a double (1e-999) reads as 0, its nearest value.
std::optional<double> ParseNumber(std::string_view text);

// As ParseNumber, read as a single-precision number.
std::optional<float> ParseSingle(std::string_view text);

// A number rounded to the nearest whole number (halves away from zero) that fits
// 16 bits signed.
std::optional<std::int16_t> ParseWhole16(std::string_view text);

// The smoothing dialogues take only exactly "n" or "N" as no.
bool IsNo(std::string_view answer);
// The temperature question takes only exactly "Y" or "y" as yes.
bool IsYes(std::string_view answer);

// Asks `question` until `accept` takes the answer: `accept` returns the empty text
// for a usable answer, or the message that refuses it; the message is shown and the
// same question asked again.
std::string AskUntilAccepted(Toolkit& ui, const Question& question,
                             const std::function<std::string(const std::string&)>& accept);

// A whole number of 16 bits, refused and asked again otherwise; `check` may refuse
// further values by returning a message.
std::int16_t AskWhole16(Toolkit& ui, const Question& question,
                        const std::function<std::string(std::int16_t)>& check = {});

// A finite number, refused and asked again otherwise.
double AskNumber(Toolkit& ui, const Question& question,
                 const std::function<std::string(double)>& check = {});

// The message that refuses an answer which is not a number.
std::string NotANumberMessage(const std::string& answer);

}  // namespace kavrel
