// Comparison with golden files a person can read. On a mismatch (or a missing golden) the actual
// output is written beside the golden as "<golden>.new"; tools/promote-golden accepts it after
// review.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace quorel::test {

// A file under tests/data of the source tree.
inline std::string TestDataPath(const std::string& relative) {
  return std::string(QUOREL_TEST_DATA_DIR) + "/" + relative;
}

inline ::testing::AssertionResult MatchesGolden(const std::string& goldenPath,
                                                const std::string& actual) {
  std::ifstream in(goldenPath, std::ios::binary);
  std::string expected;
  bool exists = static_cast<bool>(in);
  if (exists) {
    std::ostringstream buffer;
    buffer << in.rdbuf();
    expected = buffer.str();
  }
  std::string fresh = goldenPath + ".new";
  if (exists && expected == actual) {
    std::remove(fresh.c_str());
    return ::testing::AssertionSuccess();
  }
  std::ofstream(fresh, std::ios::binary) << actual;
  // Point at the first line that differs, so the failure says where to look.
  std::istringstream a(expected), b(actual);
  std::string la, lb;
  int line = 1;
  while (std::getline(a, la) && std::getline(b, lb) && la == lb) ++line;
  return ::testing::AssertionFailure()
         << (exists ? "differs from " : "no golden file ") << goldenPath
         << " (first difference at line " << line << "); the actual output is in " << fresh
         << "; review it and run tools/promote-golden to accept it";
}

}  // namespace quorel::test
