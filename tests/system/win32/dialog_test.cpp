// Message boxes and requesters, answered by a helper thread as a user would; and the
// shell's open operation.
#include <cstdio>
#include <string>
#include <utility>

#include "runtime/error.h"
#include "runtime/text.h"
#include "win32_test_support.h"
// After <windows.h>, which the support header brings.
#include <commctrl.h>

namespace quardeln::win32test {
namespace {

constexpr int kFilterCombo = 0x470;  // cmb1, the file dialogs' file-type list

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

// What the answering thread saw of the dialog.
struct Seen {
  std::string caption;
  LRESULT filterSelection = -2;
};

// Answers the next dialog by pressing `button` (or closing it with 0), noting what it saw.
DialogAnswerer Answer(Seen& seen, int button) {
  return DialogAnswerer([&seen, button](HWND dialog) {
    seen.caption = WindowText(dialog);
    if (HWND combo = GetDlgItem(dialog, kFilterCombo)) {
      seen.filterSelection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    }
    if (button == 0) {
      PostMessageA(dialog, WM_CLOSE, 0, 0);
    } else {
      PressDialogButton(dialog, button);
    }
  });
}

// The text of the item selected in the first tree control inside `dialog`; empty if none.
std::string SelectedTreeText(HWND dialog) {
  HWND tree = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM found) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof(name));
        if (std::string(name) != "SysTreeView32") return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tree));
  if (!tree) return {};
  char text[MAX_PATH] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
    return {};
  return text;
}

// The folder requester selects its initial folder only once its tree is filled: OK pressed
// before then answers with the folder it showed first. Presses OK once `leaf` is selected.
DialogAnswerer AnswerOnceSelected(std::string leaf) {
  return DialogAnswerer([leaf = std::move(leaf)](HWND dialog) {
    const ULONGLONG end = GetTickCount64() + 10000;
    while (Lower(SelectedTreeText(dialog)) != Lower(leaf) && GetTickCount64() < end) Sleep(20);
    PressDialogButton(dialog, IDOK);
  });
}

using MessageBoxTest = Win32Test;

TEST_F(MessageBoxTest, ProceedAnswersYesAndNoAndTheCloseBoxCancels) {
  struct Case {
    int button;
    int32_t answer;
  };
  for (Case one : {Case{IDYES, 1}, Case{IDNO, 0}, Case{0, -1}}) {
    Seen seen;
    int32_t answer = 2;
    {
      auto answerer = Answer(seen, one.button);
      answer = Proceed(u"Continuare?", 0);
      EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(answer, one.answer) << "button " << one.button;
    // Not the topmost style: Wine gives it only to system-modal boxes.
    EXPECT_EQ(seen.caption, ToAnsi(ApplicationTitle()));
  }
}

TEST_F(MessageBoxTest, ConfirmIsOneForOkOnlyAndNotifyAnswersZero) {
  Seen seen;
  {
    auto answerer = Answer(seen, IDOK);
    EXPECT_EQ(Confirm(u"Sicuro?", 1), 1);
  }
  {
    auto answerer = Answer(seen, 0);
    EXPECT_EQ(Confirm(u"Sicuro?", 0), 0);
  }
  {
    auto answerer = Answer(seen, IDOK);
    EXPECT_EQ(Notify(u"Fatto.", 1), 0);
    EXPECT_TRUE(answerer.Answered());
  }
  {
    auto answerer = Answer(seen, IDOK);
    EXPECT_EQ(ConfirmTitled(u"Conto alla rovescia", u"Sicuro?"), 1);
  }
  EXPECT_EQ(seen.caption, "Conto alla rovescia");
}

TEST_F(MessageBoxTest, TheFocusGoesBackWhereItWas) {
  TestWindow window("focused", {40, 40, 240, 190});
  SetFocus(window.hwnd());
  ASSERT_EQ(GetFocus(), window.hwnd());
  Seen seen;
  {
    auto answerer = Answer(seen, IDOK);
    Notify(u"Fatto.", 0);
  }
  EXPECT_EQ(GetFocus(), window.hwnd());
}

// A folder of its own under the temporary folder, removed afterwards.
class RequesterTest : public Win32Test {
 protected:
  void SetUp() override {
    Win32Test::SetUp();
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "tempra-requester-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    existing_ = folder_ + "\\readme.txt";
    if (FILE* file = std::fopen(existing_.c_str(), "w")) std::fclose(file);
  }
  void TearDown() override {
    DeleteFileA(existing_.c_str());
    RemoveDirectoryA(folder_.c_str());
    Win32Test::TearDown();
  }

  // The path as the program would write it, with slashes.
  std::u16string Slashed(const std::string& path) const {
    std::string slashed = path;
    for (char& c : slashed) c = c == '\\' ? '/' : c;
    return FromAnsi(slashed);
  }

  std::string folder_;
  std::string existing_;
};

TEST_F(RequesterTest, OpeningStartsInTheInitialFolderWithTheInitialNameAndFilter) {
  Seen seen;
  std::u16string chosen;
  {
    auto answerer = Answer(seen, IDOK);
    chosen = RequestFile(u"Apri un testo", u"Documents:doc;Text Files:txt,log;All:*", 0,
                         Slashed(existing_));
    EXPECT_TRUE(answerer.Answered());
  }
  EXPECT_EQ(seen.caption, "Apri un testo");
  EXPECT_EQ(seen.filterSelection, 1) << "the second group lists txt";
  EXPECT_EQ(Lower(ToAnsi(chosen)), Lower(existing_));
}

TEST_F(RequesterTest, SavingReturnsTheNewPathAndCancellingReturnsNothing) {
  Seen seen;
  std::string wanted = folder_ + "\\nuovo.txt";
  {
    auto answerer = Answer(seen, IDOK);
    EXPECT_EQ(Lower(ToAnsi(RequestFile(u"Salva", u"Text Files:txt", 1, Slashed(wanted)))),
              Lower(wanted));
  }
  {
    auto answerer = Answer(seen, IDCANCEL);
    EXPECT_EQ(RequestFile(u"", u"", 0, Slashed(existing_)), u"");
    EXPECT_TRUE(answerer.Answered());
  }
  EXPECT_EQ(seen.caption, "") << "an empty title is passed as given, not replaced by the default";
}

TEST_F(RequesterTest, TheFolderRequesterStartsAtTheInitialFolder) {
  Seen seen;
  {
    auto answerer = AnswerOnceSelected(folder_.substr(folder_.rfind('\\') + 1));
    EXPECT_EQ(Lower(ToAnsi(RequestDir(u"Scegli una cartella", Slashed(folder_)))), Lower(folder_));
    EXPECT_TRUE(answerer.Answered());
  }
  {
    auto answerer = Answer(seen, IDCANCEL);
    EXPECT_EQ(RequestDir(u"Scegli una cartella", Slashed(folder_)), u"");
  }
}

TEST_F(RequesterTest, OpenUrlAnswersZeroEvenWhenTheShellCannotOpen) {
  ASSERT_NE(ActiveSystemDriver, nullptr);
  std::string missing = "file:" + folder_ + "\\missing.tempra-unknown";
  EXPECT_EQ(ActiveSystemDriver->OpenURL(FromAnsi(missing)), 0);
}

}  // namespace
}  // namespace quardeln::win32test
