// The map code window: the generated HTML in a coloured view, to copy or to insert at the main
// editor's caret.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "engine/memosource.h"
#include "platform/services.h"
#include "syntax/syntaxparser.h"
#include "view/vrelmemo.h"

namespace quorel {

class TForm4 : public QDialog {
 public:
  // `mainView` receives "Insert at cursor position"; `clipboardFilled` runs after a copy.
  TForm4(QWidget* parent, const platform::TServices& services, TSyntaxParser* parser,
         TCustomVrelMemo& mainView, std::function<void()> clipboardFilled);
  ~TForm4() override { delete VrelMemo1; }

  // Replaces the text by `lines`, shown in `font`.
  void SetCode(const std::vector<std::string>& lines, const TFont& font);
  // The whole text, every line ended by CR LF.
  std::string CodeText();
  void CopyClick();
  void InsertClick();

  TMemoSource MemoSource1;
  TVrelMemo* VrelMemo1;
  QPushButton* CloseButton;
  QPushButton* CopyButton;
  QPushButton* InsertButton;

 private:
  TCustomVrelMemo& mainView_;
  std::function<void()> clipboardFilled_;
};

}  // namespace quorel
