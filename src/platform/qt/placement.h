// Where the program's dialogs appear on the screen.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quorel::platform {

// Centres `window` in the primary screen's work area (the parent's place does not matter).
inline void CentreOnScreen(QWidget& window) {
  if (QScreen* screen = QGuiApplication::primaryScreen())
    window.move(screen->availableGeometry().center() - window.rect().center());
}

}  // namespace quorel::platform
