// quorel-cli grep: loads a file through the store and lists every forward match from the top.
#include "grepcommand.h"

#include <bitset>
#include <ostream>

#include "engine/memosource.h"
#include "search/linesearch.h"
#include "search/searchlines.h"

namespace quorel::cli {

int Grep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool regex = false, caseSensitive = false, words = false;
  std::vector<std::string> rest;
  for (const std::string& a : args) {
    if (a == "--regex")
      regex = true;
    else if (a == "--case")
      caseSensitive = true;
    else if (a == "--words")
      words = true;
    else
      rest.push_back(a);
  }
  if (rest.size() != 2) {
    err << "quorel-cli: grep needs a pattern and a file\n";
    return 2;
  }
  TMemoSource store;
  store.SetDelimeters(GlobalMemoSourceOptions().Delimeters());
  try {
    store.LoadFromFile(rest[1]);
  } catch (const std::exception& e) {
    err << "quorel-cli: cannot load " << rest[1] << ": " << e.what() << "\n";
    return 1;
  }
  std::bitset<256> delimiters;
  for (int c = 0; c < 256; ++c) delimiters[c] = store.IsDelimiter(static_cast<unsigned char>(c));
  // Whole words with a delimiter in the text are switched off, as in the editor.
  if (words && !regex)
    for (char c : rest[0])
      if (store.IsDelimiter(static_cast<unsigned char>(c))) words = false;

  int found = 0;
  try {
    // The pattern comes as UTF-8 and is searched for in the document's own encoding.
    TLineSearch search(SearchTextInEncoding(rest[0], store.Encoding()), caseSensitive, words, regex,
                       delimiters, store.Encoding());
    TDocumentLines lines(store);
    std::string buffer;
    int line = 0, column = 1;
    TSearchHit hit;
    while (search.Run(lines, line, column, true, hit)) {
      ++found;
      buffer += std::to_string(hit.Line + 1) + ':' + std::to_string(hit.Column + 1) + ':' +
                std::to_string(hit.Length) + '\n';
      if (buffer.size() > (1 << 16)) {
        out << buffer;
        buffer.clear();
      }
      line = hit.Line;
      column = hit.Column + std::max(hit.Length, 1) + 1;
    }
    out << buffer;
  } catch (const std::exception& e) {
    out.flush();
    err << e.what() << "\n";
    return 2;
  }
  return found > 0 ? 0 : 1;
}

}  // namespace quorel::cli
