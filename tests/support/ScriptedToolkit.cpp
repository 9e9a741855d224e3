// A front end for tests: answers from a list, questions and messages recorded.
#include "tests/support/ScriptedToolkit.h"

#include <iterator>
#include <variant>

#include "text/Faults.h"

namespace kavrel::test {

// Taken by value so that a caller can move its list in.
// cppcheck-suppress passedByValue
ScriptedToolkit::ScriptedToolkit(std::vector<std::string> answers)
    : answers_(std::make_move_iterator(answers.begin()), std::make_move_iterator(answers.end())) {}

std::string ScriptedToolkit::Ask(const Question& question) {
  questions.push_back(question);
  if (answers_.empty()) throw InputFault("end of input");
  std::string answer = answers_.front();
  answers_.pop_front();
  return answer.empty() ? question.defaultText : answer;
}

void ScriptedToolkit::Message(const std::string& text) {
  messages.push_back(text);
}

void ScriptedToolkit::Note(const std::string& text) {
  notes.push_back(text);
}

std::vector<std::string> PrintedTexts(const DisplayWindow& window) {
  std::vector<std::string> texts;
  for (const auto& item : window.Items()) {
    if (const auto* text = std::get_if<TextItem>(&item)) texts.push_back(text->text);
  }
  return texts;
}

}  // namespace kavrel::test
