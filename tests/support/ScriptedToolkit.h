// A front end for tests: answers come from a list, every question and message is recorded.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "text/Faults.h"
#include "ui/Toolkit.h"

namespace kavrel::test {

class ScriptedToolkit : public Toolkit {
 public:
  // Taken by value so that a caller can move its list in.
  // cppcheck-suppress passedByValue
  explicit ScriptedToolkit(std::vector<std::string> answers = {}) : answers_(std::move(answers)) {}

  // Answers the next question with the next listed answer; an empty listed answer
  // stands for the default (as accepting the pre-filled box). Throws InputFault
  // ("end of input") when the list is used up.
  std::string Ask(const Question& question) override {
    questions.push_back(question);
    if (next_ == answers_.size()) throw InputFault("end of input");
    const std::string& answer = answers_[next_++];
    return answer.empty() ? question.defaultText : answer;
  }
  void Message(const std::string& text) override { messages.push_back(text); }
  void Note(const std::string& text) override { notes.push_back(text); }

  std::vector<Question> questions;
  std::vector<std::string> messages;
  std::vector<std::string> notes;

 private:
  std::vector<std::string> answers_;
  std::size_t next_ = 0;
};

// The texts printed on a window, in order.
std::vector<std::string> PrintedTexts(const DisplayWindow& window);

// The window's scale "(left,top) (right,bottom):" and its items from `from` up to `to`, each as
// "L (x1,y1) (x2,y2) colour/pen;", "C (x,y) radius colour/pen;" or "T (x,y) 'text' size colour;"
// (a font other than Times New Roman marked "?"); %g hides rounding in the last place.
std::string Picture(const DisplayWindow& window, std::size_t from = 0,
                    std::size_t to = static_cast<std::size_t>(-1));

}  // namespace kavrel::test
