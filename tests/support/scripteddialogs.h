// Dialogs answered from a script, recording what was asked.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace quorel::test {

class TScriptedDialogs : public platform::IDialogs {
 public:
  struct TAnswer {
    bool Ok;
    std::string Value;
  };
  struct TQuestion {
    std::string Caption;
    std::string Prompt;
    std::string Value;
  };

  void Answer(bool ok, const std::string& value = {}) { answers_.push_back({ok, value}); }
  const std::vector<TQuestion>& Asked() const { return asked_; }

  bool InputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override {
    asked_.push_back({caption, prompt, value});
    if (answers_.empty()) return false;  // an unexpected question is cancelled
    TAnswer a = answers_.front();
    answers_.pop_front();
    if (a.Ok) value = a.Value;
    return a.Ok;
  }

 private:
  std::deque<TAnswer> answers_;
  std::vector<TQuestion> asked_;
};

}  // namespace quorel::test
