// The hint window the view shows at the caret: a tool-tip coloured window that never takes the
// focus, its caption in lines split at CR LF with the part between "~" marks in bold, hiding
// itself after 2.5 s.
#pragma once

#include <QBasicTimer>
#include <QLabel>
#include <QObject>
#include <functional>
#include <memory>
#include <string>

namespace quorel {

class TVrelHint : public QObject {
 public:
  TVrelHint();
  ~TVrelHint() override;

  bool AutoHide = true;  // hides itself after the hide pause (and at the view's CloseHint)
  int Interval = 50;     // the tick, in ms
  bool Immediate = false;
  std::function<void()> OnVisibleChanged;
  static constexpr int kHidePauseMs = 2500;

  // Shows `caption` (UTF-8) with its top-left corner at `at` (global).
  void Show(const std::string& caption, QPoint at);
  void Hide();
  bool Visible() const;
  const std::string& Caption() const { return caption_; }
  QRect Geometry() const;
  // The caption as rich text: CR LF breaks lines, "~" marks the bold part.
  static QString RichText(const std::string& caption);

 protected:
  void timerEvent(QTimerEvent* event) override;
  // Whether the mouse pointer lies in the hint area: the window extended upwards by its own
  // height. Outside it the hint hides at the next tick.
  virtual bool MouseInHintArea() const;

 private:
  void SetVisible(bool visible);
  std::unique_ptr<QLabel> window_;
  std::string caption_;
  QBasicTimer tick_;
  int shownFor_ = 0;  // ms
};

// The hint the view places at the caret: never hidden because of where the mouse pointer is.
class TPopupHint : public TVrelHint {
 protected:
  bool MouseInHintArea() const override { return true; }
};

}  // namespace quorel
