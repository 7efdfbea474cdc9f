// A copy of a document's text taken in steps between keystrokes: each step copies a bounded
// piece, and an edit to what was already copied makes the copy go back to the edited line, so
// the finished copy is the text as it stands when the last step runs.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/memosource.h"

namespace quorel {

class TDocumentSnapshot {
 public:
  // Starts copying `store`'s saved bytes after `head`, which stays in front of them.
  void Start(const TCustomMemoSource& store, std::string head);
  bool Active() const { return store_ != nullptr; }
  // Copies about `bytes` more of the text; true when the copy is whole. The store's line ends,
  // byte-order mark and encoding must be those of the start: a change of them starts anew.
  bool Step(size_t bytes);
  // The store's text changed from line `first` on.
  void TextChanged(int first);
  // The head and the whole text, once Step said so; the snapshot is idle again.
  std::string Take();
  void Abandon();

 private:
  const TCustomMemoSource* store_ = nullptr;
  std::string data_;
  std::string head_;
  // Where each step began: its first line and the length of data_ then. An edit goes back to
  // the last of them at or above its line.
  std::vector<std::pair<int, size_t>> steps_;
  int next_ = 0;  // the first line not copied yet
  TOutFormatType outFormat_ = ofWindows;
  bool byteOrderMark_ = false;
  TEncoding encoding_ = enUtf8;
  bool done_ = false;
  // Lines measured for the room the copy needs (kMeasured once it is reserved), and their size.
  static constexpr int kMeasureLines = 200000;
  static constexpr int kMeasured = -1;
  int measured_ = 0;
  size_t total_ = 0;
  void Restart();
  // Measures the next lines; true once the room is reserved.
  bool Measure();
};

}  // namespace quorel
