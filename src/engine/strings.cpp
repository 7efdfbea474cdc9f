// Line lists.
#include "engine/strings.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>

namespace quorel {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

void TStrings::Exchange(int a, int b) {
  std::string sa = Get(a), sb = Get(b);
  void *oa = GetObject(a), *ob = GetObject(b);
  Put(a, sb);
  PutObject(a, ob);
  Put(b, sa);
  PutObject(b, oa);
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) out += "\r\n";
    out += Get(i);
  }
  return out;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  for (auto& line : SplitLines(text)) Add(line);
  EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  Clear();
  for (int i = 0; i < source.Count(); ++i) {
    Add(source.Get(i));
    PutObject(i, source.GetObject(i));
  }
  EndUpdate();
}

void TStrings::LoadFromStream(std::istream& in) {
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  SetText(data);
}

void TStrings::SaveToStream(std::ostream& out) const {
  std::string text = Text();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

TStringList::TStringList(std::vector<std::string> lines)
    : lines_(std::move(lines)), objects_(lines_.size(), nullptr) {}

std::string TStringList::Get(int i) const { return Valid(i) ? lines_[i] : std::string(); }

void TStringList::Put(int i, const std::string& s) {
  if (Valid(i)) lines_[i] = s;
}

void TStringList::Insert(int i, const std::string& s) {
  i = std::clamp(i, 0, Count());
  lines_.insert(lines_.begin() + i, s);
  objects_.insert(objects_.begin() + i, nullptr);
}

void TStringList::Delete(int i) {
  if (!Valid(i)) return;
  lines_.erase(lines_.begin() + i);
  objects_.erase(objects_.begin() + i);
}

void TStringList::Clear() {
  lines_.clear();
  objects_.clear();
}

void* TStringList::GetObject(int i) const { return Valid(i) ? objects_[i] : nullptr; }

void TStringList::PutObject(int i, void* object) {
  if (Valid(i)) objects_[i] = object;
}

}  // namespace quorel
