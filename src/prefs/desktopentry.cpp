// Desktop entries: a string value escapes backslashes and control characters; "Exec" then quotes
// a word holding any character a shell would read, and doubles each "%".
#include "prefs/desktopentry.h"

#include <string_view>

namespace quorel {

namespace {

// The document kinds the program opens, as MIME types.
constexpr const char* kMimeTypes =
    "text/html;application/xhtml+xml;text/plain;text/css;text/javascript;"
    "application/javascript;application/json;text/xml;application/xml;text/x-java;"
    "text/x-pascal;text/rtf;application/rtf;";

std::string EscapeString(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string UnescapeString(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char next = text[++i];
    switch (next) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        out += next;  // "\\" and anything unknown stand for the character itself
    }
  }
  return out;
}

// One argument of "Exec", before the string escaping.
std::string ExecWord(const std::string& word) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string body;
  bool quote = word.empty();
  for (char c : word) {
    if (kReserved.find(c) != std::string_view::npos) quote = true;
    if (c == '%') {
      body += "%%";
    } else if (c == '"' || c == '`' || c == '$' || c == '\\') {
      body += '\\';
      body += c;
    } else {
      body += c;
    }
  }
  return quote ? '"' + body + '"' : body;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The first word of an unescaped "Exec" value.
std::string FirstExecWord(std::string_view exec) {
  size_t i = 0;
  while (i < exec.size() && (exec[i] == ' ' || exec[i] == '\t')) ++i;
  std::string word;
  bool quoted = i < exec.size() && exec[i] == '"';
  if (quoted) ++i;
  for (; i < exec.size(); ++i) {
    char c = exec[i];
    if (quoted && c == '"') break;
    if (!quoted && (c == ' ' || c == '\t')) break;
    if (quoted && c == '\\' && i + 1 < exec.size()) c = exec[++i];
    if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') ++i;
    word += c;
  }
  return word;
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

}  // namespace

std::string DesktopEntryText(const std::string& name, const std::string& program) {
  std::string text = "[Desktop Entry]\n";
  text += "Version=1.0\n";  // the format version; everything used here is in 1.0
  text += "Type=Application\n";
  text += "Name=" + EscapeString(name) + "\n";
  text += "GenericName=HTML Editor\n";
  text += "Comment=Write web pages by hand\n";
  text += "Exec=" + EscapeString(ExecWord(program)) + " %F\n";
  text += "TryExec=" + EscapeString(program) + "\n";
  text += "Path=" + EscapeString(FolderOf(program)) + "\n";
  text += "Terminal=false\n";
  text += std::string("MimeType=") + kMimeTypes + "\n";
  text += "Categories=Development;WebDevelopment;\n";
  return text;
}

std::string DesktopEntryProgram(const std::string& text) {
  bool inEntry = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line = Trimmed(std::string_view(text).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inEntry = line == "[Desktop Entry]";
      continue;
    }
    size_t equals = line.find('=');
    if (!inEntry || equals == std::string_view::npos || Trimmed(line.substr(0, equals)) != "Exec")
      continue;
    return FirstExecWord(UnescapeString(Trimmed(line.substr(equals + 1))));
  }
  return {};
}

}  // namespace quorel
