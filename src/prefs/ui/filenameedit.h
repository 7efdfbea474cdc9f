// A one-line box for a file or folder name with a "..." button beside it that picks one.
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <string>

namespace quorel {

class TVrelFileNameEdit : public QWidget {
  Q_OBJECT

 public:
  explicit TVrelFileNameEdit(QWidget* parent = nullptr);

  std::string Text() const;
  void SetText(const std::string& text);
  // Asked by the button with the box's text; true with the chosen name in `name`.
  std::function<bool(std::string& name)> OnPick;
  // The box itself lost the focus to another control of the window.
  std::function<void()> OnExit;

  QLineEdit* Edit;
  QToolButton* Button;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quorel
