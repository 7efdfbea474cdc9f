// The search commands of the Edit menu. An error of the pattern or the search (a pattern that
// needs too much work, say) becomes an error box.
#include "app/searchcommands.h"

#include "platform/dialogs.h"

namespace quorel {

TSearchCommands::TSearchCommands(TMainParts& parts)
    : SearchDialogs1(std::make_unique<TSearchDialogs>(&parts.Window, parts.Services.Settings)),
      Search1(std::make_unique<TMemoSearch>(parts.Store, SearchOptions1)),
      parts_(parts) {
  AttachSearchDialogs(*Search1, *SearchDialogs1);
}

TSearchCommands::~TSearchCommands() = default;

void TSearchCommands::AddCommands() {
  TCommandTable& c = parts_.Commands;
  auto hasText = [this] { return parts_.Store.LineCount() > 0; };
  c.Add({.Name = "Find1",
         .Caption = "&Find...",
         .Shortcut = "Ctrl+F",
         .Run = [this] { Find1Click(); },
         .Enabled = hasText});
  c.Add({.Name = "FindNext1",
         .Caption = "F&ind Next",
         .Shortcut = "F3",
         .Run = [this] { FindNext1Click(); },
         .Enabled = [this,
                     hasText] { return !Search1->Options().TextToFind().empty() && hasText(); }});
  c.Add({.Name = "Replace1",
         .Caption = "R&eplace",
         .Shortcut = "Ctrl+Shift+R",
         .Run = [this] { Replace1Click(); },
         .Enabled = hasText});
}

void TSearchCommands::Find1Click() {
  parts_.ShowingErrors([this] { Search1->FindDialog(); });
}

void TSearchCommands::FindNext1Click() {
  parts_.ShowingErrors([this] { Search1->SearchAgain(); });
}

void TSearchCommands::Replace1Click() {
  parts_.ShowingErrors([this] { Search1->ReplaceDialog(); });
}

void TSearchCommands::ReadSettings() { SearchOptions1.LoadFrom(*parts_.Services.Settings); }

void TSearchCommands::WriteSettings() { SearchOptions1.SaveTo(*parts_.Services.Settings); }

}  // namespace quorel
