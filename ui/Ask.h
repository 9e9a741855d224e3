// The one helper that asks a question again until its answer can be used, and the
// numeric questions built on it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/Toolkit.h"

namespace kavrel {

// What an answer check returns: nothing for a usable answer, or the message that refuses it.
using Refusal = std::optional<std::string>;

// Asks `question` until `accept` takes the answer; a refusal is shown and the same
// question asked again.
std::string AskUntilAccepted(Toolkit& ui, const Question& question,
                             const std::function<Refusal(const std::string&)>& accept);

// A whole number of 16 bits, refused and asked again otherwise; `check` may refuse
// further values.
std::int16_t AskWhole16(Toolkit& ui, const Question& question,
                        const std::function<Refusal(std::int16_t)>& check = {});

// A finite number, refused and asked again otherwise.
double AskNumber(Toolkit& ui, const Question& question,
                 const std::function<Refusal(double)>& check = {});

// The closing question of both smoothing dialogues, "Is calculation O.K.?": true unless the
// answer is no.
bool CalculationAccepted(Toolkit& ui);

}  // namespace kavrel
