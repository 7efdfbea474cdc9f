// TVrelHistoryEditor: Enter and leaving the box add its text to the history; Escape with the
// list closed stays in the box; the history is saved when the box goes away. Texts are UTF-8;
// an older entry that is not is read as Windows-1252.
#include "search/ui/vrelhistoryeditor.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "engine/encoding.h"
#include "engine/utf8.h"
#include "platform/settings.h"

namespace quorel {

namespace {

std::string AsUtf8(const std::string& text) {
  return IsValidUtf8(text) ? text : Cp1252ToUtf8(text);
}

QString ToQString(const std::string& text) { return QString::fromStdString(AsUtf8(text)); }

}  // namespace

TVrelHistoryEditor::TVrelHistoryEditor(const QString& name, platform::ISettings* settings,
                                       QWidget* parent)
    : QComboBox(parent), settings_(settings) {
  setObjectName(name);
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  LoadHistory();
}

TVrelHistoryEditor::~TVrelHistoryEditor() { SaveHistory(); }

void TVrelHistoryEditor::SetRegName(const std::string& name) {
  regName_ = name;
  LoadHistory();
}

std::string TVrelHistoryEditor::ValueName() const {
  const QWidget* form = window();
  std::string formName = form && form != this ? form->objectName().toStdString() : std::string();
  return TEditHistory::ValueName(regName_, formName, objectName().toStdString());
}

std::string TVrelHistoryEditor::Text() const { return currentText().toUtf8().toStdString(); }

void TVrelHistoryEditor::SetText(const std::string& text) { setEditText(ToQString(text)); }

void TVrelHistoryEditor::ShowItems() {
  const QString text = currentText();
  clear();
  for (const std::string& item : history_.Items()) addItem(ToQString(item));
  setEditText(text);
}

void TVrelHistoryEditor::AddCurrentText() {
  history_.Add(Text());
  ShowItems();
}

void TVrelHistoryEditor::LoadHistory() {
  valueName_ = ValueName();
  if (settings_) history_.Load(*settings_, valueName_);
  // Older entries become UTF-8 as they are shown, so that picking one gives back its UTF-8.
  const std::vector<std::string> items = history_.Items();
  if (!std::all_of(items.begin(), items.end(),
                   [](const std::string& s) { return IsValidUtf8(s); })) {
    history_ = TEditHistory();
    for (auto it = items.rbegin(); it != items.rend(); ++it) history_.Add(AsUtf8(*it));
  }
  ShowItems();
}

// Under the name it was loaded from: while the form goes away its name may no longer be found.
void TVrelHistoryEditor::SaveHistory() {
  if (settings_) history_.Save(*settings_, valueName_);
}

void TVrelHistoryEditor::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (view()->isVisible())
      hidePopup();
    else
      AddCurrentText();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Escape && !view()->isVisible()) {
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

void TVrelHistoryEditor::focusOutEvent(QFocusEvent* event) {
  // A popup of our own takes the focus for a moment; that is not leaving the box.
  if (event->reason() != Qt::PopupFocusReason) AddCurrentText();
  QComboBox::focusOutEvent(event);
}

}  // namespace quorel
