// The RTF writer list: groups, the font and colour tables, and the final write.
#include "richtext/rtfwriterlist.h"

#include <strings.h>

#include <charconv>

namespace quorel {

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

}  // namespace

TWriterFontObject::TWriterFontObject() { fonts_.push_back({"\\fnil Times New Roman", 1}); }

int TWriterFontObject::IndexOf(const std::string& name, int charset) {
  if (SameName(fonts_[static_cast<size_t>(last_)].Name, name)) return last_;
  for (size_t i = 0; i < fonts_.size(); ++i)
    if (SameName(fonts_[i].Name, name)) return last_ = static_cast<int>(i);
  fonts_.push_back({name, charset});
  return last_ = static_cast<int>(fonts_.size()) - 1;
}

void TWriterFontObject::Write(std::string& out) const {
  out.append("{\\fonttbl\r\n");
  for (size_t i = 0; i < fonts_.size(); ++i) {
    out.append("{\\f").append(std::to_string(i)).append("\\fcharset");
    out.append(std::to_string(fonts_[i].Charset)).append(" ").append(fonts_[i].Name);
    out.append(";}\r\n");
  }
  out.append("}\r\n");
}

int TWriterColorObject::IndexOf(TColor color) {
  TColor rgb = ColorToRgb(color);
  if (last_ >= 0 && colors_[static_cast<size_t>(last_)] == rgb) return last_;
  for (size_t i = 0; i < colors_.size(); ++i)
    if (colors_[i] == rgb) return last_ = static_cast<int>(i);
  colors_.push_back(rgb);
  return last_ = static_cast<int>(colors_.size()) - 1;
}

void TWriterColorObject::Write(std::string& out) const {
  if (colors_.empty()) return;
  out.append("{\\colortbl\r\n");
  for (TColor rgb : colors_) {
    out.append("\\red").append(std::to_string(RedOf(rgb)));
    out.append("\\green").append(std::to_string(GreenOf(rgb)));
    out.append("\\blue").append(std::to_string(BlueOf(rgb))).append(";\r\n");
  }
  out.append("}\r\n");
}

void TRTFWriterList::OpenGroup(std::string_view keyword) {
  text_.append("{\\").append(keyword).append(" \r\n");
  if (tablesAt_ == std::string::npos && keyword.find("rtf1\\ansi") != std::string_view::npos)
    tablesAt_ = text_.size();
}

void TRTFWriterList::FontGroup(const std::string& name, int charset) {
  NumberGroup("f", fonts_.IndexOf(name, charset));
}

void TRTFWriterList::ColorGroup(std::string_view keyword, TColor color) {
  NumberGroup(keyword, colors_.IndexOf(color));
}

void TRTFWriterList::NumberGroup(std::string_view keyword, int n) {
  text_.append("{\\").append(keyword);
  char digits[16];
  text_.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
  text_ += ' ';
}

void TRTFWriterList::WriteTo(std::string& out) {
  std::string tables;
  fonts_.Write(tables);
  colors_.Write(tables);
  if (tablesAt_ != std::string::npos) text_.insert(tablesAt_, tables);
  tablesAt_ = std::string::npos;
  if (out.empty())
    out = std::move(text_);
  else
    out.append(text_);
  text_.clear();
}

}  // namespace quorel
