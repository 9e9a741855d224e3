// A front end for tests: answers come from a list, every question and message is recorded.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/Toolkit.h"

namespace kavrel::test {

class ScriptedToolkit : public Toolkit {
 public:
  explicit ScriptedToolkit(std::vector<std::string> answers = {});

  // Answers the next question with the next listed answer; an empty listed answer
  // stands for the default (as accepting the pre-filled box). Throws InputFault
  // ("end of input") when the list is used up.
  std::string Ask(const Question& question) override;
  void Message(const std::string& text) override;
  void Note(const std::string& text) override;

  std::vector<Question> questions;
  std::vector<std::string> messages;
  std::vector<std::string> notes;

 private:
  std::deque<std::string> answers_;
};

// The texts printed on a window, in order.
std::vector<std::string> PrintedTexts(const DisplayWindow& window);

}  // namespace kavrel::test
