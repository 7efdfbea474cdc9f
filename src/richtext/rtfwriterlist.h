// The RTF document as it is built: its text in one growing buffer, and the font and colour
// tables, which are only complete at the end and are written before the text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/fonttypes.h"

namespace quorel {

// The fonts named so far; entry 0 is always "\fnil Times New Roman".
class TWriterFontObject {
 public:
  TWriterFontObject();
  // The index of `name` (compared without regard to case), added with `charset` when new.
  int IndexOf(const std::string& name, int charset);
  void Write(std::string& out) const;
  int Count() const { return static_cast<int>(fonts_.size()); }

 private:
  struct TEntry {
    std::string Name;
    int Charset;
  };
  std::vector<TEntry> fonts_;
  int last_ = 0;  // runs mostly repeat the font before them
};

// The colours named so far, in the order first used.
class TWriterColorObject {
 public:
  // The index of the colour's RGB value, added when new.
  int IndexOf(TColor color);
  void Write(std::string& out) const;
  int Count() const { return static_cast<int>(colors_.size()); }

 private:
  std::vector<TColor> colors_;
  int last_ = -1;
};

class TRTFWriterList {
 public:
  // {\k followed by a blank and CR LF.
  void OpenGroup(std::string_view keyword);
  void CloseGroup() { text_ += '}'; }
  // {\fN for the font, entered in the font table.
  void FontGroup(const std::string& name, int charset);
  // {\cfN or {\highlightN for the colour, entered in the colour table.
  void ColorGroup(std::string_view keyword, TColor color);
  void Append(std::string_view s) { text_.append(s); }
  // The text so far, for appending to in place.
  std::string& Text() { return text_; }
  void Reserve(size_t bytes) { text_.reserve(bytes); }
  // Appends the document to `out`: its text with the tables put right after the group that
  // opens it. The text is handed over, not copied, when `out` is empty; the list is then empty.
  void WriteTo(std::string& out);

  const TWriterFontObject& Fonts() const { return fonts_; }
  const TWriterColorObject& Colors() const { return colors_; }

 private:
  // {\kN followed by a blank, as {\f1 or {\cf2 : written at nearly every run.
  void NumberGroup(std::string_view keyword, int n);

  std::string text_;
  size_t tablesAt_ = std::string::npos;  // just after the fragment holding "rtf1\ansi"
  TWriterFontObject fonts_;
  TWriterColorObject colors_;
};

}  // namespace quorel
