// Asking a question again until its answer can be used.
#include "ui/Ask.h"

#include "text/Answers.h"

namespace kavrel {

std::string AskUntilAccepted(Toolkit& ui, const Question& question,
                             const std::function<Refusal(const std::string&)>& accept) {
  for (;;) {
    std::string answer = ui.Ask(question);
    const Refusal refusal = accept(answer);
    if (!refusal) return answer;
    ui.Message(*refusal);
  }
}

std::int16_t AskWhole16(Toolkit& ui, const Question& question,
                        const std::function<Refusal(std::int16_t)>& check) {
  std::int16_t value = 0;
  AskUntilAccepted(ui, question, [&](const std::string& answer) -> Refusal {
    const auto whole = ParseWhole16(answer);
    if (!whole) {
      if (!ParseNumber(answer)) return NotANumberMessage(answer);
      return "The answer \"" + answer + "\" is not a whole number from -32768 to 32767.";
    }
    value = *whole;
    return check ? check(value) : std::nullopt;
  });
  return value;
}

double AskNumber(Toolkit& ui, const Question& question,
                 const std::function<Refusal(double)>& check) {
  double value = 0;
  AskUntilAccepted(ui, question, [&](const std::string& answer) -> Refusal {
    const auto number = ParseNumber(answer);
    if (!number) return NotANumberMessage(answer);
    value = *number;
    return check ? check(value) : std::nullopt;
  });
  return value;
}

bool CalculationAccepted(Toolkit& ui) {
  return !IsNo(ui.Ask({"Is calculation O.K.? Y/N <Y> ", "calculation ending entry", "Y"}));
}

}  // namespace kavrel
