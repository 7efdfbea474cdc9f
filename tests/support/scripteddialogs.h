// Dialogs answered from a script, recording what was asked. An unexpected question is answered
// Cancel (or OK where that is the only button) and recorded, so a test can see it.
#pragma once

#include <deque>
#include <optional>
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
  struct TMessage {
    platform::TMsgKind Kind;
    std::string Text;
    platform::TMsgButtons Buttons;
  };

  // ---- Scripting the answers ----
  void Answer(bool ok, const std::string& value = {}) { answers_.push_back({ok, value}); }
  void AnswerMessage(platform::TMsgResult result) { messageAnswers_.push_back(result); }
  // The next file dialog chooses `fileName` (with a filter index), or is cancelled (nullopt).
  void AnswerFile(std::optional<std::string> fileName, int filterIndex = 0) {
    fileAnswers_.push_back({std::move(fileName), filterIndex});
  }

  // The next font dialog returns `font`, or is cancelled (nullopt).
  void AnswerFont(std::optional<platform::TFontChoice> font) {
    fontAnswers_.push_back(std::move(font));
  }
  const std::vector<platform::TFontChoice>& FontsShown() const { return fontsShown_; }
  // The next colour dialog returns these boxes and colour, or is cancelled (nullopt).
  void AnswerColor(std::optional<platform::TColorChoice> colors) {
    colorAnswers_.push_back(std::move(colors));
  }
  // What each colour dialog was shown with.
  const std::vector<platform::TColorChoice>& ColorsShown() const { return colorsShown_; }

  // ---- What was asked ----
  const std::vector<TQuestion>& Asked() const { return asked_; }
  const std::vector<TMessage>& Messages() const { return messages_; }
  const std::vector<platform::TFileDialog>& FileDialogs() const { return fileDialogs_; }
  size_t PendingAnswers() const {
    return answers_.size() + messageAnswers_.size() + fileAnswers_.size();
  }

  platform::TMsgResult MessageBox(platform::TMsgKind kind, const std::string& text,
                                  platform::TMsgButtons buttons) override {
    messages_.push_back({kind, text, buttons});
    if (messageAnswers_.empty())
      return buttons == platform::mbOK ? platform::mrOk : platform::mrCancel;
    platform::TMsgResult r = messageAnswers_.front();
    messageAnswers_.pop_front();
    return r;
  }
  bool OpenFileDialog(platform::TFileDialog& dialog) override { return File(dialog); }
  bool SaveFileDialog(platform::TFileDialog& dialog) override { return File(dialog); }
  bool FontDialog(platform::TFontChoice& font) override {
    fontsShown_.push_back(font);
    if (fontAnswers_.empty() || !fontAnswers_.front()) {
      if (!fontAnswers_.empty()) fontAnswers_.pop_front();
      return false;
    }
    font = *fontAnswers_.front();
    fontAnswers_.pop_front();
    return true;
  }
  bool ColorDialog(platform::TColorChoice& colors) override {
    colorsShown_.push_back(colors);
    if (colorAnswers_.empty() || !colorAnswers_.front()) {
      if (!colorAnswers_.empty()) colorAnswers_.pop_front();
      return false;
    }
    colors = *colorAnswers_.front();
    colorAnswers_.pop_front();
    return true;
  }
  // A folder picker takes the next file answer; FileDialogs() records it with its title.
  bool SelectFolder(const std::string& title, std::string& folder) override {
    platform::TFileDialog dialog;
    dialog.Title = title;
    dialog.InitialDir = folder;
    if (!File(dialog)) return false;
    folder = dialog.FileName;
    return true;
  }
  bool InputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override {
    asked_.push_back({caption, prompt, value});
    if (answers_.empty()) return false;
    TAnswer a = answers_.front();
    answers_.pop_front();
    if (a.Ok) value = a.Value;
    return a.Ok;
  }

 private:
  std::deque<std::optional<platform::TFontChoice>> fontAnswers_;
  std::vector<platform::TFontChoice> fontsShown_;
  std::deque<std::optional<platform::TColorChoice>> colorAnswers_;
  std::vector<platform::TColorChoice> colorsShown_;
  bool File(platform::TFileDialog& dialog) {
    fileDialogs_.push_back(dialog);
    if (fileAnswers_.empty()) return false;
    auto [name, index] = fileAnswers_.front();
    fileAnswers_.pop_front();
    if (!name) return false;
    dialog.FileName = *name;
    if (index > 0) dialog.FilterIndex = index;
    return true;
  }

  std::deque<TAnswer> answers_;
  std::deque<platform::TMsgResult> messageAnswers_;
  std::deque<std::pair<std::optional<std::string>, int>> fileAnswers_;
  std::vector<TQuestion> asked_;
  std::vector<TMessage> messages_;
  std::vector<platform::TFileDialog> fileDialogs_;
};

}  // namespace quorel::test
