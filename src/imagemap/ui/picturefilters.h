// The picture dialogs' filters: every picture kind the program reads, then each kind.
#pragma once

#include <vector>

#include "platform/dialogs.h"

namespace quorel {

inline std::vector<platform::TFileFilter> PictureFilters() {
  return {{"All (*.jpg;*.jpeg;*.gif;*.bmp;*.ico;*.emf;*.wmf;*.png;*.webp)",
           "*.jpg;*.jpeg;*.gif;*.bmp;*.ico;*.emf;*.wmf;*.png;*.webp"},
          {"JPEG Image File (*.jpg)", "*.jpg"},
          {"JPEG Image File (*.jpeg)", "*.jpeg"},
          {"Graphics Interchange Format (*.gif)", "*.gif"},
          {"Bitmaps (*.bmp)", "*.bmp"},
          {"Icons (*.ico)", "*.ico"},
          {"Enhanced Metafiles (*.emf)", "*.emf"},
          {"Metafiles (*.wmf)", "*.wmf"},
          {"Portable Network Graphics (*.png)", "*.png"},
          {"WebP Images (*.webp)", "*.webp"}};
}

}  // namespace quorel
