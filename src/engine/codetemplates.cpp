// The template registry and the three built-in sets: JavaScript, Java and CSS.
#include "engine/codetemplates.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quorel {

namespace {

struct TSet {
  std::string Name;
  TTemplateFill Fill;
};

// Each template: name, description, code with CR LF between lines and "|" where the caret goes.
using TTable = std::vector<std::array<const char*, 3>>;

TTemplateFill FromTable(TTable table) {
  return [table](TMemoCodeTemplates& templates) {
    templates.clear();
    for (const auto& row : table) templates.push_back({row[0], row[1], row[2]});
  };
}

const TTable kJavaScript = {
    {"fun", "function", "function |() {\r\n}"},
    {"funa", "anonymous function", "function (|) {\r\n}"},
    {"arrow", "arrow function", "(|) => {\r\n}"},
    {"if", "if statement", "if (|) {\r\n}"},
    {"ife", "if else", "if (|) {\r\n} else {\r\n}"},
    {"for", "for loop", "for (let i = 0; i < |; i++) {\r\n}"},
    {"forin", "for in loop", "for (const key in |) {\r\n}"},
    {"forof", "for of loop", "for (const item of |) {\r\n}"},
    {"while", "while loop", "while (|) {\r\n}"},
    {"do", "do while loop", "do {\r\n  |\r\n} while ();"},
    {"switch", "switch statement", "switch (|) {\r\n  case :\r\n    break;\r\n  default:\r\n}"},
    {"try", "try catch", "try {\r\n  |\r\n} catch (e) {\r\n}"},
    {"tryf", "try finally", "try {\r\n  |\r\n} finally {\r\n}"},
    {"class", "class declaration", "class | {\r\n  constructor() {\r\n  }\r\n}"},
    {"cl", "console.log", "console.log(|);"},
    {"gid", "getElementById", "document.getElementById(\"|\")"},
    {"qs", "querySelector", "document.querySelector(\"|\")"},
    {"ael", "addEventListener", "addEventListener(\"|\", (event) => {\r\n});"},
    {"st", "setTimeout", "setTimeout(() => {\r\n  |\r\n}, 0);"},
    {"fetch", "fetch a resource", "fetch(\"|\")\r\n  .then((response) => response.json())"},
    {"script", "script element", "<script>\r\n|\r\n</script>"},
    {"ret", "return statement", "return |;"},
};

const TTable kJava = {
    {"main", "main method", "public static void main(String[] args) {\r\n  |\r\n}"},
    {"class", "class declaration", "public class | {\r\n}"},
    {"inter", "interface declaration", "public interface | {\r\n}"},
    {"if", "if statement", "if (|) {\r\n}"},
    {"ife", "if else", "if (|) {\r\n} else {\r\n}"},
    {"for", "for loop", "for (int i = 0; i < |; i++) {\r\n}"},
    {"fore", "for each loop", "for ( : |) {\r\n}"},
    {"while", "while loop", "while (|) {\r\n}"},
    {"do", "do while loop", "do {\r\n  |\r\n} while ();"},
    {"switch", "switch statement", "switch (|) {\r\n  case :\r\n    break;\r\n  default:\r\n}"},
    {"try", "try catch", "try {\r\n  |\r\n} catch (Exception e) {\r\n}"},
    {"tryf", "try finally", "try {\r\n  |\r\n} finally {\r\n}"},
    {"sout", "print a line", "System.out.println(|);"},
    {"get", "getter", "public | get() {\r\n  return ;\r\n}"},
    {"set", "setter", "public void set(|) {\r\n}"},
    {"applet", "applet class",
     "public class | extends java.applet.Applet {\r\n  public void paint(java.awt.Graphics g) "
     "{\r\n  }\r\n}"},
    {"ret", "return statement", "return |;"},
};

const TTable kCss = {
    {"rule", "rule", "| {\r\n}"},
    {"media", "media query", "@media (max-width: |) {\r\n}"},
    {"import", "import a style sheet", "@import url(\"|\");"},
    {"font", "font face", "@font-face {\r\n  font-family: |;\r\n  src: url(\"\");\r\n}"},
    {"key", "keyframes", "@keyframes | {\r\n  from {\r\n  }\r\n  to {\r\n  }\r\n}"},
    {"flex", "flex container", "display: flex;\r\njustify-content: |;\r\nalign-items: ;"},
    {"grid", "grid container", "display: grid;\r\ngrid-template-columns: |;"},
    {"m", "margin", "margin: |;"},
    {"p", "padding", "padding: |;"},
    {"c", "colour", "color: |;"},
    {"bg", "background", "background: |;"},
    {"bd", "border", "border: 1px solid |;"},
    {"w", "width", "width: |;"},
    {"h", "height", "height: |;"},
    {"ff", "font family", "font-family: |;"},
    {"fs", "font size", "font-size: |;"},
};

std::vector<TSet>& Sets() {
  static std::vector<TSet> sets = {{"None", nullptr},
                                   {"Custom", nullptr},
                                   {"JavaScript", FromTable(kJavaScript)},
                                   {"Java", FromTable(kJava)},
                                   {"CSS", FromTable(kCss)}};
  return sets;
}

}  // namespace

void RegisterTemplateSet(const std::string& name, TTemplateFill fill) {
  auto& sets = Sets();
  auto it = std::find_if(sets.begin(), sets.end(), [&](const TSet& s) { return s.Name == name; });
  if (it != sets.end())
    it->Fill = std::move(fill);
  else
    sets.push_back({name, std::move(fill)});
}

bool IsTemplateSetRegistered(const std::string& name) {
  const auto& sets = Sets();
  return std::any_of(sets.begin(), sets.end(), [&](const TSet& s) { return s.Name == name; });
}

const TTemplateFill* TemplateSetFill(const std::string& name) {
  for (const TSet& s : Sets())
    if (s.Name == name) return s.Fill ? &s.Fill : nullptr;
  return nullptr;
}

std::vector<std::string> TemplateSetNames() {
  std::vector<std::string> names;
  for (const TSet& s : Sets()) names.push_back(s.Name);
  return names;
}

}  // namespace quorel
