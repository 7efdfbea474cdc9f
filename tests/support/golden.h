// Comparison with golden files a person can read. On a mismatch (or a missing golden) the actual
// output is written beside the golden as "<golden>.new"; tools/promote-golden accepts it after
// review.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorel::test {

// A file under tests/data of the source tree.
inline std::string TestDataPath(const std::string& relative) {
  return std::string(QUOREL_TEST_DATA_DIR) + "/" + relative;
}

// The samples of a golden folder under tests/data: the names of its files ending in `extension`
// (".html"; "" for every file), sorted, so that a sample dropped into the folder is a case without
// being listed.
inline std::vector<std::string> GoldenSamples(const std::string& folder,
                                              const std::string& extension) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(TestDataPath(folder)))
    if (extension.empty() || entry.path().extension() == extension)
      names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A sample's file name as a test name: letters, digits and underscores only.
inline std::string CaseName(std::string name) {
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
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
