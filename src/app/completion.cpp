// Tag completion in the main view: after "<" and a pause the tags of "Popup.txt" are offered;
// a chosen entry is inserted up to its "|" (the rest is its description).
#include <string>

#include "app/form1.h"
#include "view/vrelmemo.h"

namespace quorel {

void TForm1::VrelMemo1HintPopup(TStrings& strings, bool& allowPopup, TPopupType& popupType) {
  TCustomMemoSource& s = MemoSource1;
  const int x = s.CaretX(), y = s.CaretY();
  const std::string line = s.CellLine(y);
  allowPopup =
      x > 0 && x <= static_cast<int>(line.size()) && line[static_cast<size_t>(x) - 1] == '<';
  strings.Clear();
  if (!allowPopup || !PopupLoaded) {
    allowPopup = false;
    return;
  }
  for (const std::string& entry : PopupList) strings.Add(entry);
  popupType = ptList;
}

void TForm1::VrelMemo1HintInsert(std::string& s) {
  size_t bar = s.find('|');
  if (bar != std::string::npos) s.resize(bar);
}

}  // namespace quorel
