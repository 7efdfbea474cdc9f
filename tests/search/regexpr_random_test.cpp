// Random patterns checked against a small reference matcher written separately: a recursive
// backtracking matcher over the pattern's tree, which tries a repeated item's longest run
// first and then each shorter one. Repeated items here hold no repeated item inside, where the
// matcher's backtracking is complete.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "search/regexpr.h"

namespace quorel {
namespace {

struct TNode {
  enum TKind { Literal, Any, Class, LineStart, LineEnd, Group } Kind = Literal;
  char Char = 0;
  std::vector<std::pair<char, char>> Members;  // single characters are ranges of one
  bool Negated = false;
  std::vector<TNode> Children;
  char Repeat = 0;  // 0, '*' or '+'
};

class TReference {
 public:
  TReference(const std::vector<TNode>& pattern, bool caseSensitive, std::string_view text)
      : pattern_(pattern), case_(caseSensitive), text_(text), n_(static_cast<int>(text.size())) {}

  // Matches at `at`; on success `end` is where the match ends.
  bool MatchAt(int at, int& end) {
    return Sequence(pattern_, 0, at, [&](int p) {
      end = std::min(p, n_);
      return true;
    });
  }

 private:
  using TNext = std::function<bool(int)>;

  char Fold(char c) const { return !case_ && c >= 'a' && c <= 'z' ? c - 32 : c; }

  // One match of a node that holds no repetition: it has at most one way to match.
  bool Once(const TNode& node, int& p) const {
    switch (node.Kind) {
      case TNode::Literal:
        if (p >= n_ || Fold(text_[p]) != Fold(node.Char)) return false;
        ++p;
        return true;
      case TNode::Any:
        if (p > n_) return false;
        ++p;  // at the end of the text: takes the end, once
        return true;
      case TNode::Class: {
        if (p > n_ || (p == n_ && !node.Negated)) return false;
        if (p < n_) {
          bool in = false;
          for (auto [lo, hi] : node.Members)
            in = in || (Fold(text_[p]) >= Fold(lo) && Fold(text_[p]) <= Fold(hi));
          if (in == node.Negated) return false;
        }
        ++p;
        return true;
      }
      case TNode::LineStart:
        return p == 0;
      case TNode::LineEnd:
        return p >= n_;
      case TNode::Group:
        for (const TNode& child : node.Children)
          if (!Once(child, p)) return false;
        return true;
    }
    return false;
  }

  bool Sequence(const std::vector<TNode>& nodes, size_t i, int p, const TNext& next) {
    if (i == nodes.size()) return next(p);
    const TNode& node = nodes[i];
    auto rest = [&](int q) { return Sequence(nodes, i + 1, q, next); };
    if (node.Repeat == 0) {
      if (node.Kind == TNode::Group) return Sequence(node.Children, 0, p, rest);
      return Once(node, p) && rest(p);
    }
    if (p >= n_) return node.Repeat == '*' && rest(p);
    // The positions after 0 (only for "*"), 1, 2, ... repetitions; a repetition that takes
    // nothing, or one starting at the end of the text, is not made.
    std::vector<int> runs;
    if (node.Repeat == '*') runs.push_back(p);
    int q = p;
    while (q < n_) {
      int r = q;
      if (!Once(node, r) || r == q) break;
      q = r;
      runs.push_back(q);
    }
    if (runs.empty()) return false;
    for (auto it = runs.rbegin(); it != runs.rend(); ++it)
      if (rest(*it)) return true;
    return false;
  }

  const std::vector<TNode>& pattern_;
  bool case_;
  std::string_view text_;
  int n_;
};

// The reference's search: candidate columns one at a time, as the matcher documents them.
bool ReferenceFind(const std::vector<TNode>& nodes, const std::string& patternText, bool cs,
                   const std::string& text, int& start, bool forward, int& length) {
  const int n = static_cast<int>(text.size());
  length = 0;
  if (patternText == "$") {
    if (forward || start == n) {
      start = n + 1;
      return true;
    }
    start = 0;
    return false;
  }
  if (n == 0) {
    const bool special = patternText == "^" || patternText == "$" || patternText == "^$";
    start = special ? 1 : 0;
    return special;
  }
  const int from = std::min(start, n);
  TReference ref(nodes, cs, text);
  std::vector<int> candidates;
  if (forward)
    for (int c = std::max(from, 1); c <= n; ++c) candidates.push_back(c);
  else
    for (int c = from; c >= 1; --c) candidates.push_back(c);
  for (int c : candidates) {
    int end = 0;
    if (ref.MatchAt(c - 1, end)) {
      start = c;
      length = end == 0 ? 0 : std::max(0, end + 1 - c);
      return true;
    }
  }
  start = 0;
  return false;
}

class TGenerator {
 public:
  explicit TGenerator(unsigned seed) : rng_(seed) {}

  std::vector<TNode> Pattern() { return Sequence(1 + Pick(5), true); }

  std::string Text() {
    static const char kChars[] = "abcAB.x";
    std::string s;
    for (int i = Pick(9); i > 0; --i) s += kChars[Pick(7)];
    return s;
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

 private:
  std::vector<TNode> Sequence(int count, bool mayRepeat) {
    std::vector<TNode> nodes;
    for (int i = 0; i < count; ++i) nodes.push_back(Node(mayRepeat));
    return nodes;
  }

  TNode Node(bool mayRepeat) {
    static const char kLiterals[] = "abcAx.{*";
    TNode node;
    const int kind = Pick(12);
    if (kind < 5) {
      node.Kind = TNode::Literal;
      node.Char = kLiterals[Pick(8)];
    } else if (kind < 7) {
      node.Kind = TNode::Any;
    } else if (kind < 9) {
      node.Kind = TNode::Class;
      node.Negated = Pick(3) == 0;
      static const std::pair<char, char> kMembers[] = {{'a', 'a'}, {'b', 'c'}, {'x', 'x'},
                                                       {'A', 'B'}, {'.', '.'}, {'a', 'c'}};
      for (int m = 1 + Pick(2); m > 0; --m) node.Members.push_back(kMembers[Pick(6)]);
    } else if (kind == 9) {
      node.Kind = Pick(2) ? TNode::LineStart : TNode::LineEnd;
      return node;  // never repeated
    } else {
      node.Kind = TNode::Group;
      // Inside a group that repeats, nothing repeats.
      const bool repeated = mayRepeat && Pick(2) == 0;
      node.Children = Sequence(Pick(4), mayRepeat && !repeated);
      if (repeated) node.Repeat = Pick(2) ? '*' : '+';
      return node;
    }
    if (mayRepeat && Pick(3) == 0) node.Repeat = Pick(2) ? '*' : '+';
    return node;
  }

  std::mt19937 rng_;
};

std::string Render(const std::vector<TNode>& nodes) {
  std::string s;
  for (const TNode& node : nodes) {
    switch (node.Kind) {
      case TNode::Literal:
        if (std::string_view(".^$\\{}[*+").find(node.Char) != std::string_view::npos) s += '\\';
        s += node.Char;
        break;
      case TNode::Any:
        s += '.';
        break;
      case TNode::Class:
        s += node.Negated ? "[^" : "[";
        for (auto [lo, hi] : node.Members) {
          s += lo;
          if (hi != lo) s += std::string("-") + hi;
        }
        s += ']';
        break;
      case TNode::LineStart:
        s += '^';
        break;
      case TNode::LineEnd:
        s += '$';
        break;
      case TNode::Group:
        s += '{' + Render(node.Children) + '}';
        break;
    }
    if (node.Repeat) s += node.Repeat;
  }
  return s;
}

TEST(RegExprDifferential, RandomPatternsAgreeWithReference) {
  TGenerator gen(20261209);
  int compared = 0, found = 0;
  for (int round = 0; round < 4000; ++round) {
    const std::vector<TNode> nodes = gen.Pattern();
    const std::string pattern = Render(nodes);
    const bool cs = gen.Pick(2) == 0;
    TRegExpr re(pattern, cs);
    for (int t = 0; t < 6; ++t) {
      const std::string text = gen.Text();
      const int n = static_cast<int>(text.size());
      for (int start = 0; start <= n + 1; ++start) {
        for (bool forward : {true, false}) {
          int s1 = start, l1 = -1, s2 = start, l2 = -1;
          const bool f1 = re.Find(text, s1, forward, l1);
          const bool f2 = ReferenceFind(nodes, pattern, cs, text, s2, forward, l2);
          ASSERT_EQ(f1, f2) << pattern << " on '" << text << "' from " << start
                            << (forward ? " forward" : " backward") << (cs ? " with case" : "");
          ASSERT_EQ(s1, s2) << pattern << " on '" << text << "' from " << start;
          if (f1) {
            ASSERT_EQ(l1, l2) << pattern << " on '" << text << "' from " << start;
          }
          ++compared;
          found += f1;
        }
      }
    }
  }
  // The generator must produce a fair share of both outcomes for the comparison to mean much.
  EXPECT_GT(found, compared / 10);
  EXPECT_LT(found, compared * 9 / 10);
}

}  // namespace
}  // namespace quorel
