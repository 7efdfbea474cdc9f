// The Find and Replace dialogs, offscreen: what they show, what OK, Replace All and Cancel take
// into the options, the history boxes and their settings, and the commands run through them.
#include "search/ui/searchdialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "engine/memosource.h"
#include "platform/services.h"
#include "platform/settings.h"
#include "search/memosearch.h"
#include "search/ui/repldialog.h"
#include "search/ui/srchdialog.h"
#include "support/scripteddialogs.h"
#include "support/storehelpers.h"

namespace quorel {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "searchdialogs_test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

struct Dialogs : ::testing::Test {
  Dialogs() { App(); }
  platform::TMemorySettings settings;
  test::TScriptedDialogs messages;
};

TEST_F(Dialogs, FindDialogShowsTheOptions) {
  TSrchDialog d(&settings);
  TSearchOptions o;
  o.SetTextToFind("abc");
  o.SetCaseSensitive(true);
  o.SetDirection(sdBackward);
  o.SetScope(ssSelectedText);
  o.SetOrigin(soFromCursor);
  d.ShowOptions(o);
  EXPECT_EQ(d.windowTitle(), "Find Text");
  EXPECT_EQ(d.SearText->currentText(), "abc");
  EXPECT_TRUE(d.CaseSensitive->isChecked());
  EXPECT_FALSE(d.WholeWordsOnly->isChecked());
  EXPECT_TRUE(d.Backward->isChecked());
  EXPECT_TRUE(d.SelectedText->isChecked());
  EXPECT_TRUE(d.FromCursor->isChecked());
  EXPECT_EQ(d.Pages->count(), 1);
  EXPECT_EQ(d.Pages->tabText(0), "Find");
  EXPECT_TRUE(d.OKBtn->isDefault());
  EXPECT_EQ(d.RegularExpressions->text(), "Regular e&xpressions");
  d.show();
  EXPECT_FALSE(d.HelpBtn->isVisible());
  EXPECT_FALSE(d.FindInFilesPage->isVisible());
  EXPECT_EQ(d.minimumSize(), d.maximumSize());  // fixed border
}

TEST_F(Dialogs, FindOkTakesOptionsAndSavesHistory) {
  TSearchOptions o;
  o.SetReplaceWith("keep");
  TMemoSource store;
  test::Load(store, "one two");
  TSearchDialogs dialogs{nullptr, &settings};
  dialogs.OnCreateDialog = [](TCustomMemoSource&, QDialog& dialog) {
    auto& d = static_cast<TSrchDialog&>(dialog);
    QTimer::singleShot(0, &d, [&d] {
      d.SearText->SetText("two");
      d.WholeWordsOnly->setChecked(true);
      d.Backward->setChecked(true);
      QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    });
  };
  ASSERT_TRUE(dialogs.ExecuteFind(store, o));
  EXPECT_EQ(o.TextToFind(), "two");
  EXPECT_TRUE(o.WholeWordsOnly());
  EXPECT_EQ(o.Direction(), sdBackward);
  EXPECT_EQ(o.ReplaceWith(), "keep");
  EXPECT_EQ(settings.ReadString("Editor/EditHistory/SrchDialogSearText"), "two\r\n");
}

TEST_F(Dialogs, ReplaceAllButtonAndCancel) {
  TMemoSource store;
  TSearchOptions o;
  o.SetPromptOnReplace(true);
  TSearchDialogs dialogs{nullptr, &settings};
  dialogs.OnCreateDialog = [](TCustomMemoSource&, QDialog& dialog) {
    auto& d = static_cast<TReplDialog&>(dialog);
    EXPECT_EQ(d.windowTitle(), "Replace Text");
    EXPECT_TRUE(d.PromptOnReplace->isChecked());
    QTimer::singleShot(0, &d, [&d] {
      d.SearText->SetText("a");
      d.ReplText->SetText("b");
      d.PromptOnReplace->setChecked(false);
      d.ReplaceAllBtn->click();
    });
  };
  EXPECT_EQ(dialogs.ExecuteReplace(store, o), ISearchDialogs::drAll);
  EXPECT_TRUE(o.ReplaceAll());
  EXPECT_FALSE(o.PromptOnReplace());
  EXPECT_EQ(o.ReplaceWith(), "b");
  EXPECT_EQ(settings.ReadString("Editor/EditHistory/ReplDialogReplText"), "b\r\n");

  dialogs.OnCreateDialog = [](TCustomMemoSource&, QDialog& dialog) {
    auto& d = static_cast<TReplDialog&>(dialog);
    QTimer::singleShot(0, &d, [&d] {
      d.SearText->SetText("zzz");
      d.CaseSensitive->setChecked(true);
      d.CancelBtn->click();
    });
  };
  EXPECT_EQ(dialogs.ExecuteReplace(store, o), ISearchDialogs::drCancel);
  EXPECT_EQ(o.TextToFind(), "a");
  EXPECT_FALSE(o.CaseSensitive());
}

TEST_F(Dialogs, HistoryBoxEnterAddsNewestFirstEscapeStaysLeavingAdds) {
  settings.WriteString("Editor/EditHistory/SrchDialogSearText", "old\r\nmid\r\n");
  TSrchDialog d(&settings);
  d.show();
  ASSERT_EQ(d.SearText->count(), 2);
  d.SearText->setFocus();
  d.SearText->SetText("mid");
  QTest::keyClick(d.SearText, Qt::Key_Return);
  EXPECT_EQ(d.SearText->History().Items(), (std::vector<std::string>{"mid", "old"}));
  EXPECT_TRUE(d.isVisible());  // Enter went to the box, not to the OK button
  QTest::keyClick(d.SearText, Qt::Key_Escape);
  EXPECT_TRUE(d.isVisible());
  d.SearText->SetText("new");
  d.SearText->clearFocus();
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(d.SearText, &out);
  EXPECT_EQ(d.SearText->History().Items(), (std::vector<std::string>{"new", "mid", "old"}));
  EXPECT_EQ(d.SearText->itemText(0), "new");
}

TEST_F(Dialogs, HistorySavedWhenTheBoxGoesAwayAlsoAfterCancel) {
  {
    TReplDialog d(&settings);
    d.ReplText->SetText("later");
    d.ReplText->AddCurrentText();
    d.reject();
  }
  EXPECT_EQ(settings.ReadString("Editor/EditHistory/ReplDialogReplText"), "later\r\n");
  TReplDialog again(&settings);
  EXPECT_EQ(again.ReplText->count(), 1);
  again.ReplText->SetRegName("Own");
  EXPECT_EQ(again.ReplText->count(), 0);
}

TEST_F(Dialogs, BoxesGiveAndTakeUtf8AndShowOldEntriesAsWindows1252) {
  settings.WriteString("Editor/EditHistory/ReplDialogSearText", "caf\xE9\r\n\xE6\x97\xA5\r\n");
  TReplDialog d(&settings);
  ASSERT_EQ(d.SearText->count(), 2);
  EXPECT_EQ(d.SearText->itemText(0), QString::fromUtf8("café"));
  EXPECT_EQ(d.SearText->itemText(1), QString::fromUtf8("日"));
  EXPECT_EQ(d.SearText->History().Items(), (std::vector<std::string>{"café", "日"}));
  TSearchOptions o;
  o.SetTextToFind("wörd 日本");
  o.SetReplaceWith("\xE9t\xE9");  // an older value, not UTF-8
  d.ShowOptions(o);
  EXPECT_EQ(d.SearText->currentText(), QString::fromUtf8("wörd 日本"));
  EXPECT_EQ(d.ReplText->currentText(), QString::fromUtf8("été"));
  d.ReplText->setEditText(QString::fromUtf8("中文 €"));
  TSearchOptions taken;
  d.TakeOptions(taken);
  EXPECT_EQ(taken.TextToFind(), "wörd 日本");
  EXPECT_EQ(taken.ReplaceWith(), "中文 €");
  d.SearText->AddCurrentText();
  d.SearText->SaveHistory();
  EXPECT_EQ(settings.ReadString("Editor/EditHistory/ReplDialogSearText"),
            "wörd 日本\r\ncafé\r\n日\r\n");
}

struct Commands : Dialogs {
  TMemoSource store;
  TSearchOptions options;
  TMemoSearch search{store, options, &messages};
  TSearchDialogs dialogs{nullptr, &settings};
  Commands() {
    store.SetDelimeters("/{}+-*():=,;><$.#[]^@&~|%'");
    AttachSearchDialogs(search, dialogs);
  }
  // The next dialog gets `fill` run on it, then the button `press` is clicked.
  template <typename TDialog>
  void Script(std::function<void(TDialog&)> fill, std::function<QPushButton*(TDialog&)> press) {
    dialogs.OnCreateDialog = [fill, press](TCustomMemoSource&, QDialog& dialog) {
      auto& d = static_cast<TDialog&>(dialog);
      QTimer::singleShot(0, &d, [&d, fill, press] {
        fill(d);
        press(d)->click();
      });
    };
  }
};

TEST_F(Commands, FindDialogStartsAtWordAtCaretAndFinds) {
  test::Load(store, "alpha beta\nbeta");
  store.SetCaretPos(7, 0);
  std::string shown;
  Script<TSrchDialog>([&](TSrchDialog& d) { shown = d.SearText->Text(); },
                      [](TSrchDialog& d) { return d.OKBtn; });
  search.FindDialog();
  EXPECT_EQ(shown, "beta");
  EXPECT_EQ(store.MatchRect(), (TRect{6, 0, 10, 0}));
  search.SearchAgain();
  EXPECT_EQ(store.MatchRect(), (TRect{0, 1, 4, 1}));
}

TEST_F(Commands, WholeWordsSwitchedOffShowsUncheckedNextTime) {
  test::Load(store, "a-b");
  store.SetOptions(store.Options() - TStringsOptions{soFindTextAtCursor});
  Script<TSrchDialog>(
      [](TSrchDialog& d) {
        d.SearText->SetText("a-");
        d.WholeWordsOnly->setChecked(true);
      },
      [](TSrchDialog& d) { return d.OKBtn; });
  search.FindDialog();
  bool checked = true;
  Script<TSrchDialog>([&](TSrchDialog& d) { checked = d.WholeWordsOnly->isChecked(); },
                      [](TSrchDialog& d) { return d.CancelBtn; });
  search.FindDialog();
  EXPECT_FALSE(checked);
}

TEST_F(Commands, ReplaceDialogReplaceAllIsOneUndoStep) {
  test::Load(store, "cat cat\ncat");
  Script<TReplDialog>(
      [](TReplDialog& d) {
        d.SearText->SetText("cat");
        d.ReplText->SetText("dog");
      },
      [](TReplDialog& d) { return d.ReplaceAllBtn; });
  search.ReplaceDialog();
  EXPECT_EQ(test::Text(store), "dog dog\ndog");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy pointer is put back
  store.Undo();
  EXPECT_EQ(test::Text(store), "cat cat\ncat");
}

TEST_F(Commands, Utf8WordAtCaretShownFoundAndReplaced) {
  test::Load(store, "日本 wörd\nwörd");
  store.SetCaretPos(7, 0);  // on the "r", after a wide "日本"
  std::string shown;
  Script<TReplDialog>(
      [&](TReplDialog& d) {
        shown = d.SearText->Text();
        d.ReplText->setEditText(QString::fromUtf8("wört"));
      },
      [](TReplDialog& d) { return d.ReplaceAllBtn; });
  search.ReplaceDialog();
  EXPECT_EQ(shown, "wörd");
  EXPECT_EQ(test::Text(store), "日本 wört\nwört");
}

TEST_F(Commands, CancelledDialogSearchesNothing) {
  test::Load(store, "abc");
  Script<TSrchDialog>([](TSrchDialog& d) { d.SearText->SetText("b"); },
                      [](TSrchDialog& d) { return d.CancelBtn; });
  search.FindDialog();
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace quorel
