// TVrelHistoryEditor: an editable drop-down list whose items are the earlier entries, newest
// first, kept in the settings store.
#pragma once

#include <QComboBox>
#include <string>

#include "platform/settings.h"
#include "search/edithistory.h"

namespace quorel {

class TVrelHistoryEditor : public QComboBox {
  Q_OBJECT

 public:
  // `name` is the box's own name; the value name also uses the owning form's object name. The
  // history is kept in `settings` (none: it lasts as long as the box).
  TVrelHistoryEditor(const QString& name, platform::ISettings* settings, QWidget* parent);
  ~TVrelHistoryEditor() override;

  const std::string& RegName() const { return regName_; }
  void SetRegName(const std::string& name);
  // The box's text as UTF-8; SetText shows UTF-8, or Windows-1252 bytes that are not UTF-8.
  std::string Text() const;
  void SetText(const std::string& text);
  // Adds the current text to the top of the history and shows the list anew.
  void AddCurrentText();
  void LoadHistory();
  void SaveHistory();
  const TEditHistory& History() const { return history_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::string ValueName() const;
  void ShowItems();

  std::string regName_;
  std::string valueName_;
  TEditHistory history_;
  platform::ISettings* settings_;
};

}  // namespace quorel
