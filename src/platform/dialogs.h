// Modal dialogs: message boxes, file dialogs and the one-line input box. The program shows them
// through Qt; tests answer them from a script.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quorel::platform {

// The four kinds of message box, each with its own title and icon.
enum TMsgKind { mkWarning, mkConfirmation, mkInformation, mkError };
// mbYesNoCancelAll adds an "All" button (answered mrAll), as the replacement prompt asks.
enum TMsgButtons { mbOK, mbOKCancel, mbYesNo, mbYesNoCancel, mbYesNoCancelAll };
enum TMsgResult { mrOk, mrCancel, mrYes, mrNo, mrAll };

// "Warning", "Confirm", "Information", "Error".
const char* MessageTitle(TMsgKind kind);

struct TFileFilter {
  std::string Description;  // shown to the user
  std::string Pattern;      // "*.htm" or "*.htm; *.html"
};

// A file dialog's settings going in, and the user's choice coming out.
struct TFileDialog {
  std::string Title;
  std::vector<TFileFilter> Filters;
  int FilterIndex = 1;  // 1-based
  std::string FileName;
  std::string InitialDir;
  std::string DefaultExt;  // "*.htm" style or ".htm"; appended when the name has none
};

// A font as the font dialog shows and returns it.
struct TFontChoice {
  std::string Name;
  int Size = 8;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  unsigned Color = 0;  // 0x00BBGGRR
};

// A custom colour box the user has not filled.
inline constexpr unsigned kNoColor = 0xFFFFFFFF;

// The colour dialog's choice in its main area and its 16 custom colour boxes, all 0x00BBGGRR;
// a box holding kNoColor is unset, going in and coming out.
struct TColorChoice {
  unsigned Color = 0;
  std::array<unsigned, 16> CustomColors = MakeUnsetBoxes();
  static constexpr std::array<unsigned, 16> MakeUnsetBoxes() {
    std::array<unsigned, 16> boxes{};
    boxes.fill(kNoColor);
    return boxes;
  }
};

class IDialogs {
 public:
  virtual ~IDialogs() = default;

  virtual TMsgResult MessageBox(TMsgKind kind, const std::string& text, TMsgButtons buttons) = 0;
  // Both answer false when cancelled; otherwise FileName (full path) and FilterIndex are set.
  virtual bool OpenFileDialog(TFileDialog& dialog) = 0;
  virtual bool SaveFileDialog(TFileDialog& dialog) = 0;
  // A one-line input box. Returns false when the user cancels; on OK `value` holds the text.
  virtual bool InputQuery(const std::string& caption, const std::string& prompt,
                          std::string& value) = 0;
  // The font dialog, starting with `font`; false when cancelled, else `font` holds the choice.
  virtual bool FontDialog(TFontChoice& font) = 0;
  // The colour dialog, fully open, solid colours only, starting on `colors.Color` with its custom
  // boxes preloaded; false when cancelled, else `colors` holds the choice and the boxes.
  virtual bool ColorDialog(TColorChoice& colors) = 0;
  // A folder picker starting in `folder`; false when cancelled (or where there is none), else
  // `folder` holds the chosen folder.
  virtual bool SelectFolder(const std::string& /*title*/, std::string& /*folder*/) { return false; }
};

}  // namespace quorel::platform
