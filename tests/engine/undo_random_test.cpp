// Random edit sequences checked against a plain model of the text after every step; then undoing
// everything must give back the original, and redoing everything the final text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>

#include "engine/memosource.h"
#include "engine/strings.h"
#include "engine/updateguard.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

// The text rules of the store without tabs, written as plainly as possible.
struct TModel {
  std::vector<std::string> lines;
  int cx = 0, cy = 0;
  bool beyondFileEnd = false;
  bool limitEol = false;

  static void Trim(std::string& s) {
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.pop_back();
  }
  void RemoveSingleEmpty() {
    if (lines.size() == 1 && lines[0].empty()) lines.clear();
  }
  void Move(int dy, int dx) {
    dy = std::max(dy, -cy);
    dx = std::max(dx, -cx);
    if (!beyondFileEnd) {
      int last = std::max<int>(lines.size(), 1) - 1;
      if (cy + dy > last) dy = last - cy;
    }
    if (limitEol) {
      int y = cy + dy;
      int length = y < static_cast<int>(lines.size()) ? static_cast<int>(lines[y].size()) : 0;
      if (length < cx + dx) dx = length - cx;
    }
    if (dx == 0 && dy == 0) return;
    if (dy != 0 && cy < static_cast<int>(lines.size())) Trim(lines[cy]);
    cy += dy;
    cx += dx;
  }
  void EnsureLine() {
    if (cy < static_cast<int>(lines.size())) return;
    if (lines.empty()) {
      lines.emplace_back();
      if (cy == 0) return;
    }
    Trim(lines.back());
    while (cy >= static_cast<int>(lines.size())) lines.emplace_back();
  }
  // Returns how far the line grew at the caret.
  int Insert(const std::string& text) {
    if (text.empty()) return 0;
    EnsureLine();
    std::string& line = lines[cy];
    int before = static_cast<int>(line.size());
    if (before < cx) line.resize(cx, ' ');
    line.insert(cx, text);
    return static_cast<int>(line.size()) - std::max(before, cx);
  }
  // Returns how many characters went.
  int Delete(int n) {
    if (n <= 0 || cy >= static_cast<int>(lines.size())) return 0;
    std::string& line = lines[cy];
    if (cx >= static_cast<int>(line.size())) return 0;
    int count = static_cast<int>(std::min<size_t>(n, line.size() - cx));
    line.erase(cx, count);
    RemoveSingleEmpty();
    return count;
  }
  void MoveTo(int x, int y) { Move(y - cy, x - cx); }
  // A stream selection deleted: the last line's part, the lines between, the first line's rest.
  void DeleteSelection(int left, int top, int right, int bottom) {
    if (bottom < top || (bottom == top && right <= left)) return;
    if (bottom > top) {
      MoveTo(0, bottom);
      Delete(right);
      MoveTo(0, top + 1);
      for (int i = 0; i < bottom - top - 1; ++i) {
        Delete(MaxInt);
        Join();
      }
      MoveTo(left, top);
      Delete(MaxInt);
      Join();
      return;
    }
    int x = cx, y = cy;
    MoveTo(left, top);
    int n = Delete(right - left);
    if (y == top && x > left) x = std::max(x - n, left);
    MoveTo(x, y);
  }
  // Lines inserted at the caret as a stream, the caret ending after them.
  void InsertLines(const std::vector<std::string>& text) {
    if (text.size() == 1) {
      EnsureLine();
      Move(0, Insert(text[0]));
      return;
    }
    EnsureLine();
    int x0 = cx, y0 = cy;
    (void)x0;
    Split();
    Insert(text[0]);
    MoveTo(0, y0 + 1);
    int last = Insert(text.back());
    for (size_t b = 1; b + 1 < text.size(); ++b) {
      MoveTo(0, y0 + static_cast<int>(b));
      Split();
      Insert(text[b]);
    }
    MoveTo(last, y0 + static_cast<int>(text.size()) - 1);
  }
  void Split() {
    if (lines.empty()) lines.emplace_back();
    if (cy >= static_cast<int>(lines.size())) {
      RemoveSingleEmpty();
      return;
    }
    std::string tail;
    if (static_cast<int>(lines[cy].size()) > cx) {
      tail = lines[cy].substr(cx);
      lines[cy].resize(cx);
    }
    lines.insert(lines.begin() + cy + 1, tail);
    // The upper line is trimmed with the caret kept: moved to the end, then back, which the line
    // end limit may stop short.
    std::string& upper = lines[cy];
    bool blanks = !upper.empty() && static_cast<unsigned char>(upper.back()) <= 32;
    Trim(upper);
    if (blanks && limitEol) cx = std::min<int>(cx, static_cast<int>(upper.size()));
  }
  void Join() {
    if (cy >= static_cast<int>(lines.size()) - 1) return;
    std::string& line = lines[cy];
    if (cx < static_cast<int>(line.size())) return;
    line.resize(cx, ' ');
    line += lines[cy + 1];
    lines.erase(lines.begin() + cy + 1);
    RemoveSingleEmpty();
  }
  std::string Text() const {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i) out += '\n';
      out += lines[i];
    }
    return out;
  }
};

// A small fixed-seed generator, so that a failing seed replays exactly.
struct TRandom {
  uint64_t state;
  explicit TRandom(uint64_t seed) : state(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
  int Next(int n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state >> 33) % static_cast<uint64_t>(n));
  }
};

std::string RandomText(TRandom& r) {
  static const char chars[] = "ab <>/ x";
  std::string s;
  int n = 1 + r.Next(4);
  for (int i = 0; i < n; ++i) s += chars[r.Next(sizeof(chars) - 1)];
  return s;
}

// One step of a session.
struct TOp {
  enum { Insert, Delete, Split, Join, Move, DeleteSelection, InsertLines } Kind;
  std::string Text;
  int A = 0, B = 0, C = 0, D = 0;
};

struct TSession {
  bool GroupUndo = false;
  bool BeyondFileEnd = false;
  bool LimitEol = false;
  std::string Original;
  std::vector<TOp> Ops;
};

TSession MakeSession(uint64_t seed) {
  TRandom r(seed);
  TSession s;
  s.BeyondFileEnd = r.Next(4) == 0;
  s.GroupUndo = r.Next(2) == 0;
  s.LimitEol = r.Next(4) == 0;
  int lineCount = r.Next(5);
  for (int i = 0; i < lineCount; ++i) {
    if (i) s.Original += '\n';
    s.Original += RandomText(r);
  }
  int steps = 20 + r.Next(40);
  for (int step = 0; step < steps; ++step) {
    int op = r.Next(12);
    if (op == 10) {
      int top = r.Next(4), bottom = top + r.Next(3) - (r.Next(4) == 0 ? 1 : 0);
      s.Ops.push_back({TOp::DeleteSelection, {}, r.Next(8), top, r.Next(8), bottom});
    } else if (op == 11) {
      std::string text = RandomText(r);
      for (int k = r.Next(4); k > 0; --k) text += (r.Next(2) ? "\n" : "\r\n") + RandomText(r);
      s.Ops.push_back({TOp::InsertLines, text});
    } else if (op <= 2) {
      s.Ops.push_back({TOp::Insert, RandomText(r)});
    } else if (op <= 4) {
      s.Ops.push_back({TOp::Delete, {}, r.Next(3) == 0 ? MaxInt : 1 + r.Next(4)});
    } else if (op == 5) {
      s.Ops.push_back({TOp::Split, {}});
    } else if (op == 6) {
      s.Ops.push_back({TOp::Join, {}});
    } else {
      int dy = r.Next(5) - 2;
      s.Ops.push_back({TOp::Move, {}, dy, r.Next(9) - 4});
    }
  }
  return s;
}

std::string Describe(const TSession& s) {
  std::ostringstream out;
  out << "group undo " << s.GroupUndo << ", beyond file end " << s.BeyondFileEnd << ", limit EOL "
      << s.LimitEol << ", text '" << s.Original << "': ";
  for (const TOp& op : s.Ops) {
    switch (op.Kind) {
      case TOp::Insert:
        out << "insert '" << op.Text << "'; ";
        break;
      case TOp::Delete:
        out << "delete " << op.A << "; ";
        break;
      case TOp::Split:
        out << "split; ";
        break;
      case TOp::Join:
        out << "join; ";
        break;
      case TOp::Move:
        out << "move " << op.A << "," << op.B << "; ";
        break;
      case TOp::DeleteSelection:
        out << "delete selection " << op.A << "," << op.B << " to " << op.C << "," << op.D << "; ";
        break;
      case TOp::InsertLines:
        out << "insert lines '" << op.Text << "'; ";
        break;
    }
  }
  return out.str();
}

// Runs a session; returns an empty string or what went wrong first.
std::string RunSession(const TSession& s) {
  TModel model;
  model.beyondFileEnd = s.BeyondFileEnd;
  model.limitEol = s.LimitEol;
  TMemoSource store;
  TStringsOptions options = store.Options();
  options.Set(soGroupUndo, s.GroupUndo);
  options.Set(soBeyondFileEnd, s.BeyondFileEnd);
  options.Set(soLimitEOL, s.LimitEol);
  store.SetOptions(options);
  store.LoadFromBuffer(s.Original);
  for (int y = 0; y < store.LineCount(); ++y) model.lines.push_back(store.RawLine(y));
  std::string original = model.Text();

  for (size_t step = 0; step < s.Ops.size(); ++step) {
    const TOp& op = s.Ops[step];
    switch (op.Kind) {
      case TOp::Insert: {
        TUpdateGuard update(store, urInsertText);
        store.InsertText(op.Text);
        model.Insert(op.Text);
        break;
      }
      case TOp::Delete:
        store.DeleteChars(op.A);
        model.Delete(op.A);
        break;
      case TOp::Split:
        store.SplitLine();
        model.Split();
        break;
      case TOp::Join:
        store.JoinLines();
        model.Join();
        break;
      case TOp::Move:
        store.MoveCaret(op.A, op.B);
        model.Move(op.A, op.B);
        break;
      case TOp::DeleteSelection: {
        // Only existing lines: past the end the store's caret moves are clamped differently.
        int last = std::max(store.LineCount() - 1, 0);
        int top = std::min(op.B, last), bottom = std::clamp(op.D, 0, last);
        store.SetSelection(stStream, op.A, top, op.C, bottom);
        store.DeleteSelection();
        model.DeleteSelection(op.A, top, op.C, bottom);
        break;
      }
      case TOp::InsertLines:
        store.InsertTextKeepSelection(op.Text);
        model.InsertLines(SplitLines(op.Text));
        break;
    }
    if (test::Text(store) != model.Text() || store.CaretX() != model.cx ||
        store.CaretY() != model.cy) {
      std::ostringstream out;
      out << "after step " << step << " store '" << test::Text(store) << "' caret "
          << store.CaretX() << "," << store.CaretY() << ", model '" << model.Text() << "' caret "
          << model.cx << "," << model.cy;
      return out.str();
    }
  }

  std::string final = test::Text(store);
  TPoint finalCaret = store.CaretPos();
  for (int guard = 0; store.CanUndo() && guard < 10000; ++guard) store.Undo();
  if (test::Text(store) != original)
    return "undo all gave '" + test::Text(store) + "' not '" + original + "'";
  if (store.CaretPos() != TPoint{0, 0}) return "undo all left the caret away from the start";
  if (store.Modified()) return "undo all left the document modified";
  for (int guard = 0; store.CanRedo() && guard < 10000; ++guard) store.Redo();
  if (test::Text(store) != final)
    return "redo all gave '" + test::Text(store) + "' not '" + final + "'";
  if (store.CaretPos() != finalCaret) return "redo all left the caret elsewhere";
  return {};
}

// Drops steps while the session still fails, so a failure is reported in its shortest form.
TSession Shrink(TSession s) {
  for (size_t i = s.Ops.size(); i-- > 0;) {
    TSession shorter = s;
    shorter.Ops.erase(shorter.Ops.begin() + i);
    if (!RunSession(shorter).empty()) s = shorter;
  }
  return s;
}

TEST(UndoRandomized, ThousandsOfSessionsMatchTheModelAndUndoCompletely) {
  int failures = 0;
  for (uint64_t seed = 1; seed <= 3000; ++seed) {
    TSession session = MakeSession(seed);
    std::string problem = RunSession(session);
    if (!problem.empty()) {
      TSession shortest = Shrink(session);
      ADD_FAILURE() << "seed " << seed << ": " << problem << "\n  shortest: " << Describe(shortest)
                    << "\n  which gives: " << RunSession(shortest);
      if (++failures >= 5) break;
    }
  }
}

}  // namespace
}  // namespace quorel
