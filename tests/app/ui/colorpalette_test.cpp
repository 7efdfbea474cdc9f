// The colours palette opened from the main window: mixing, assigning, the swatches, the colour
// picker, the close check, and the Colors menu inserting what was kept.
#include "palettes/ui/colorpalette.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include "app/form1.h"
#include "mainwindowfixture.h"

namespace quorel {
namespace {

struct ColorsPalette : MainWindow {
  TForm3& Open() {
    TForm3& palette = form->Palettes->ColorsPalette();
    palette.CurrentSlot = 0;
    palette.FormShow();
    return palette;
  }
  void Mix(TForm3& p, int red, int green, int blue) {
    p.RedSB->setValue(red);
    p.GreenSB->setValue(green);
    p.BlueSB->setValue(blue);
  }
  std::string Name(TForm3& p, int n) { return p.ColorName[n - 1]->text().toStdString(); }
  std::string Swatch(TForm3& p, int n) { return p.Panel[n - 1]->text().toStdString(); }
  std::string SwatchStyle(TForm3& p, int n) { return p.Panel[n - 1]->styleSheet().toStdString(); }
};

TEST_F(ColorsPalette, SlidersComposeTheCodeTheValuesAndThePreview) {
  TForm3& p = Open();
  EXPECT_EQ(p.windowTitle(), "Colors Palette");
  EXPECT_EQ(p.Edit1->text(), "#000000");
  Mix(p, 255, 128, 0);
  EXPECT_EQ(p.Edit1->text(), "#FF8000");
  EXPECT_EQ(p.RedEdit->text(), "255");
  EXPECT_EQ(p.GreenEdit->text(), "128");
  EXPECT_EQ(p.BlueEdit->text(), "0");
  EXPECT_EQ(p.CurrentColor, (TRgb{255, 128, 0}));
  EXPECT_TRUE(p.ColorEdit->styleSheet().contains("#FF8000"));
  EXPECT_TRUE(p.ColorsMemo1->styleSheet().contains("#FF8000"));
  EXPECT_EQ(p.ColorsMemo1->toPlainText(), "Love my \nColors!!");
  // The same dialog opens again with its sliders where they were.
  p.reject();
  EXPECT_EQ(Open().Edit1->text(), "#FF8000");
}

TEST_F(ColorsPalette, AssignNamesAnEmptySlotAndASwatchClickBringsItsColourBack) {
  TForm3& p = Open();
  Mix(p, 255, 128, 0);
  p.show();
  p.Button[2]->click();
  EXPECT_EQ(Name(p, 3), "Custom3");
  EXPECT_EQ(p.ColorName[2]->selectedText(), "Custom3");
  EXPECT_EQ(Swatch(p, 3), "#FF8000");
  EXPECT_NE(SwatchStyle(p, 3).find("background-color: #FF8000"), std::string::npos);
  EXPECT_EQ(p.CurrentSlot, 3);
  EXPECT_TRUE(form->Palettes->ColorsChanged);
  // A named slot keeps its name when assigned again.
  p.ColorName[2]->setText("Orange");
  Mix(p, 10, 20, 30);
  p.Panel1Click(3);
  EXPECT_EQ(p.RedSB->value(), 255);
  EXPECT_EQ(p.GreenSB->value(), 128);
  EXPECT_EQ(p.BlueSB->value(), 0);
  EXPECT_EQ(p.Edit1->text(), "#FF8000");
  p.Button1Click(3);
  EXPECT_EQ(Name(p, 3), "Orange");
  // An empty swatch leaves the sliders, and assigning after it still stores their colour.
  p.Panel1Click(7);
  EXPECT_EQ(p.Edit1->text(), "");
  EXPECT_EQ(p.RedSB->value(), 255);
  p.Button1Click(8);
  EXPECT_EQ(p.SlotValues[7], "#FF8000");
  p.accept();
  EXPECT_EQ(form->Settings.CustomColorName[2], "Orange");
  EXPECT_EQ(form->Settings.CustomHexValue[2], "#FF8000");
  EXPECT_EQ(form->Settings.CustomColorName[7], "Custom8");
  EXPECT_FALSE(form->Palettes->ColorsChanged);
}

TEST_F(ColorsPalette, StoredCodesShowAsStoredAndDecodeOnlyUpperCase) {
  form->Settings.CustomColorName[0] = "Sky";
  form->Settings.CustomHexValue[0] = "#87ceeb";
  form->Settings.CustomColorName[1] = "A";
  form->Settings.CustomHexValue[1] = "#00FF00";
  TForm3& p = Open();
  EXPECT_EQ(Swatch(p, 1), "#87ceeb");
  EXPECT_NE(SwatchStyle(p, 1).find("background-color: #870000"), std::string::npos);
  EXPECT_EQ(Name(p, 1), "Sky");
  // A one-letter name is a name: the swatch has its colour.
  EXPECT_NE(SwatchStyle(p, 2).find("background-color: #00FF00"), std::string::npos);
  EXPECT_EQ(SwatchStyle(p, 3).find("background-color"), std::string::npos);
  p.reject();
}

TEST_F(ColorsPalette, TheCloseCheckAsksForTheNameOfTheSlotJustAssigned) {
  TForm3& p = Open();
  Mix(p, 1, 2, 3);
  p.show();
  p.Button1Click(3);
  p.ColorName[2]->clear();
  p.accept();
  EXPECT_EQ(LastMessage(), "You must enter a name for the 3rd color");
  EXPECT_EQ(Name(p, 3), "Name your color here");
  EXPECT_TRUE(p.isVisible());
  EXPECT_EQ(form->Settings.CustomHexValue[2], "");
  p.ColorName[2]->clear();
  p.reject();
  EXPECT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_TRUE(p.isVisible());
  p.ColorName[2]->setText("Ink");
  p.accept();
  EXPECT_FALSE(p.isVisible());
  EXPECT_EQ(form->Settings.CustomColorName[2], "Ink");
  EXPECT_EQ(form->Settings.CustomHexValue[2], "#010203");
  EXPECT_EQ(dialogs.Messages().size(), 2u);
  for (int n : {1, 2, 11}) {
    p.Button1Click(n);
    p.ColorName[static_cast<size_t>(n - 1)]->clear();
    p.reject();
    EXPECT_EQ(LastMessage(), "You must enter a name for the " + std::to_string(n) +
                                 (n == 1   ? "st"
                                  : n == 2 ? "nd"
                                           : "th") +
                                 " color");
    p.ColorName[static_cast<size_t>(n - 1)]->setText("x");
  }
  p.reject();
}

TEST_F(ColorsPalette, ANameWithoutAValueClosesAndIsDroppedAtTheNextOpening) {
  TForm3& p = Open();
  p.ColorName[4]->setText("Later");
  p.accept();
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(form->Settings.CustomColorName[4], "Later");
  EXPECT_EQ(form->Settings.CustomHexValue[4], "");
  Open();
  EXPECT_EQ(Name(p, 5), "");
  p.accept();
  EXPECT_EQ(form->Settings.CustomColorName[4], "");
}

TEST_F(ColorsPalette, ANameTypedElsewhereIsNotOverwrittenByTheCloseCheck) {
  TForm3& p = Open();
  p.Button1Click(3);
  p.ColorName[4]->setText("Typed");  // slot 5 has a name but no colour yet
  p.accept();
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(form->Settings.CustomColorName[2], "Custom3");
  EXPECT_EQ(form->Settings.CustomColorName[4], "Typed");
}

TEST_F(ColorsPalette, ARenameAloneReachesTheMenusAndANameOnAnEmptySwatchCloses) {
  form->show();  // the menus take their colours at the first showing
  form->Settings.CustomColorName[0] = "Sky";
  form->Settings.CustomHexValue[0] = "#87CEEB";
  form->Palettes->ColorsChanged = true;
  form->Palettes->RefreshColorMenus();
  TForm3& p = Open();
  p.ColorName[0]->setText("Ocean");
  p.accept();
  EXPECT_EQ(Command("MenuColor1")->text(), "Ocean");
  EXPECT_EQ(form->Palettes->Form2->Items().back().Children.back().Caption, "Ocean #87CEEB");
  // A click on an empty swatch and a name typed there: nothing to ask, the dialog closes.
  Open();
  p.show();
  p.Panel1Click(5);
  p.ColorName[4]->setText("Later");
  p.reject();
  EXPECT_FALSE(p.isVisible());
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(ColorsPalette, ThePickersBoxesFillTheirSlots) {
  form->Settings.CustomColorName[1] = "Kept";
  form->Settings.CustomHexValue[1] = "#102030";
  TForm3& p = Open();
  p.Button1Click(4);  // assigned and named in the box only so far
  platform::TColorChoice picked;
  picked.Color = 0x00FF00;
  picked.CustomColors[0] = ToBgr({0xAA, 0xBB, 0xCC});
  picked.CustomColors[1] = ToBgr({0x10, 0x20, 0x30});
  picked.CustomColors[4] = ToBgr({1, 2, 3});
  picked.CustomColors[3] = ToBgr({0, 0, 0});
  dialogs.AnswerColor(picked);
  p.Button21Click();
  ASSERT_EQ(dialogs.ColorsShown().size(), 1u);
  const platform::TColorChoice& shown = dialogs.ColorsShown()[0];
  EXPECT_EQ(shown.Color, 0u);
  EXPECT_EQ(shown.CustomColors[1], 0x302010u);
  EXPECT_EQ(shown.CustomColors[3], 0u);
  EXPECT_EQ(shown.CustomColors[0], platform::kNoColor);
  EXPECT_EQ(shown.CustomColors[4], platform::kNoColor);
  EXPECT_EQ(Name(p, 1), "Custom1");
  EXPECT_EQ(Swatch(p, 1), "#AABBCC");
  EXPECT_EQ(Name(p, 5), "Custom5");
  EXPECT_EQ(Swatch(p, 5), "#010203");
  EXPECT_EQ(Name(p, 2), "Kept");
  EXPECT_EQ(Name(p, 4), "Custom4");
  EXPECT_EQ(Swatch(p, 3), "");
  // A cancelled picker changes nothing, and the next one starts on the colour chosen last.
  dialogs.AnswerColor(std::nullopt);
  p.Button21Click();
  EXPECT_EQ(dialogs.ColorsShown().back().Color, 0x00FF00u);
  EXPECT_EQ(Swatch(p, 1), "#AABBCC");
  p.accept();
  EXPECT_EQ(form->Settings.CustomHexValue[0], "#AABBCC");
  EXPECT_EQ(form->Settings.CustomHexValue[4], "#010203");
  EXPECT_EQ(form->Settings.CustomColorName[3], "Custom4");
}

TEST_F(ColorsPalette, CopyPutsTheCodeOnTheClipboardAndEnablesPaste) {
  TForm3& p = Open();
  Mix(p, 0, 128, 255);
  Command("ToolButton7")->setEnabled(false);
  p.Button20->click();
  EXPECT_EQ(clipboard.GetText(), "#0080FF");
  EXPECT_TRUE(Command("ToolButton7")->isEnabled());
  p.reject();
}

TEST_F(ColorsPalette, OpenedByF2ItsOkReachesTheColorsMenu) {
  form->show();
  QTimer::singleShot(0, [this] {
    TForm3& p = *form->Palettes->Form3;
    ASSERT_TRUE(p.isVisible());
    Mix(p, 18, 52, 86);
    p.Button1Click(1);
    p.ColorName[0]->setText("Brand");
    p.BitBtn1->click();
  });
  QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
  static_cast<QObject*>(form->VrelMemo1)->event(&f2);
  ASSERT_TRUE(form->Palettes->Form3);
  EXPECT_FALSE(form->Palettes->Form3->isVisible());
  EXPECT_EQ(Command("MenuColor1")->text(), "Brand");
  EXPECT_TRUE(Command("MenuColor1")->isVisible());
  Run("MenuColor1");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "#123456");
  // Cancel after an Assign refreshes the menus with the unchanged slots.
  QTimer::singleShot(0, [this] {
    form->Palettes->Form3->Button1Click(2);
    form->Palettes->Form3->BitBtn2->click();
  });
  Run("EditColors3");
  EXPECT_FALSE(Command("MenuColor2")->isVisible());
  EXPECT_EQ(form->Settings.CustomColorName[1], "");
}

}  // namespace
}  // namespace quorel
