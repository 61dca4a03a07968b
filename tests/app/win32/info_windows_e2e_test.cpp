// The "Aiuto" and "Dona" windows of the real tempra.exe, driven from outside. The web
// page the donation window opens goes through Wine's browser hand-off (winebrowser),
// which is pointed at a stand-in script that records every address it is given.
#include <memory>
#include <string>

#include "main_window_controls.h"
#include "tempra_driver.h"

namespace tempra::e2e {
namespace {

constexpr wchar_t kHelpTitle[] = L"Tempra Help";
constexpr wchar_t kDonationTitle[] = L"Tempra Donazioni";
constexpr wchar_t kRichEdit[] = L"RichEdit20W";
constexpr wchar_t kBrowserKey[] = L"Software\\Wine\\WineBrowser";

const std::wstring kHelpText =
    L"Questo piccolo programma svolge la funzione di\r"
    L"un promemoria digitale molto semplice.\r"
    L"Una volta impostata l'ora voluta, riporta la finestra\r"
    L"del medesimo in primo piano su qualsiasi applicazione.\r"
    L"\r"
    L"Attenzione, Il processo una volta avviato pu\u00F2 essere interrotto\r"
    L"solo utilizzando il Task Manager di Windows (CTRL+ALT+CANC).";

// The rich edit control may hand its paragraph ends out as CR LF.
std::wstring WithBareReturns(std::wstring text) {
  for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at)) {
    text.erase(at + 1, 1);
  }
  return text;
}

bool Gone(HWND window) {
  return !IsWindow(window) || !IsWindowVisible(window);
}

class InfoWindowsE2E : public testing::Test {
 protected:
  void SetUp() override {
    tempra_ = std::make_unique<TempraProcess>(MakeFolder(L"e2e-plain"));
    ASSERT_TRUE(tempra_->Main());
    c_ = FindMainControls(tempra_->Main());
    ASSERT_TRUE(c_.Complete());
  }

  HWND Open(HWND button, const wchar_t* title) {
    PressButton(button);
    return tempra_->WaitForTopLevel(title);
  }

  std::unique_ptr<TempraProcess> tempra_;
  MainControls c_;
};

TEST_F(InfoWindowsE2E, HelpShowsItsTextAndClosesByOkOrCloseBox) {
  HWND help = Open(c_.aiuto, kHelpTitle);
  ASSERT_TRUE(help) << "\"Aiuto\" opened no help window";
  HWND text =
      ControlsByClass(help, kRichEdit).empty() ? nullptr : ControlsByClass(help, kRichEdit)[0];
  ASSERT_TRUE(text) << "no rich edit control in the help window";
  EXPECT_EQ(WithBareReturns(WindowText(text)), kHelpText);

  // "Uscita" is taken by the help window's loop and dropped.
  PressButton(c_.uscita);
  c_.Settle();
  EXPECT_TRUE(tempra_->Running());
  EXPECT_FALSE(Gone(help)) << "the help window closed on \"Uscita\"";

  HWND ok = FindControl(help, L"Button", L"OK");
  ASSERT_TRUE(ok);
  PressButton(ok);
  EXPECT_TRUE(WaitUntil([&] { return Gone(help); })) << "\"OK\" did not close the help";
  EXPECT_TRUE(tempra_->Running());

  // A fresh window each time; its close box closes it and not the program.
  help = Open(c_.aiuto, kHelpTitle);
  ASSERT_TRUE(help) << "the second \"Aiuto\" opened no help window";
  PostMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return Gone(help); })) << "the close box did not close the help";
  c_.Settle();
  EXPECT_TRUE(tempra_->Running());

  // The main loop is back: "Uscita" ends the program.
  PressButton(c_.uscita);
  EXPECT_EQ(tempra_->WaitForExit(), 0u);
}

// Points Wine's browser hand-off at the recording stand-in for one test and empties its
// record; puts the previous browser list back at the end.
class RecordingBrowser {
 public:
  RecordingBrowser() {
    const std::wstring script = Environment(L"TEMPRA_URL_RECORDER");
    record_ = WindowsPath(Environment(L"TEMPRA_URL_RECORD"));
    if (script.empty() || record_.empty()) {
      ADD_FAILURE() << "TEMPRA_URL_RECORDER and TEMPRA_URL_RECORD must be set";
      return;
    }
    DeleteFileW(record_.c_str());
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kBrowserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr) != ERROR_SUCCESS) {
      ADD_FAILURE() << "cannot open HKCU\\" << testing::PrintToString(std::wstring(kBrowserKey));
      return;
    }
    wchar_t previous[1024];
    DWORD size = sizeof(previous);
    hadPrevious_ = RegQueryValueExW(key_, L"Browsers", nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(previous), &size) == ERROR_SUCCESS;
    if (hadPrevious_) previous_.assign(previous, size / sizeof(wchar_t));
    SetBrowsers(script);
  }

  ~RecordingBrowser() {
    if (!key_) return;
    if (hadPrevious_) {
      RegSetValueExW(key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_.data()),
                     static_cast<DWORD>(previous_.size() * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key_, L"Browsers");
    }
    RegCloseKey(key_);
  }
  RecordingBrowser(const RecordingBrowser&) = delete;
  RecordingBrowser& operator=(const RecordingBrowser&) = delete;

  // Everything recorded so far, one address a line.
  std::string Record() const {
    HANDLE file = CreateFileW(record_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text(4096, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
  }

 private:
  void SetBrowsers(const std::wstring& list) {
    RegSetValueExW(key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(list.c_str()),
                   static_cast<DWORD>((list.size() + 1) * sizeof(wchar_t)));
  }

  HKEY key_ = nullptr;
  std::wstring record_;
  std::wstring previous_;
  bool hadPrevious_ = false;
};

TEST_F(InfoWindowsE2E, DonaOpensTheWebPageOnceAndTheCloseBoxOpensNothing) {
  RecordingBrowser browser;
  HWND donation = Open(c_.dona, kDonationTitle);
  ASSERT_TRUE(donation) << "\"Dona\" opened no donation window";
  ASSERT_EQ(ControlsByClass(donation, kRichEdit).size(), 1u);
  PostMessageW(donation, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return Gone(donation); })) << "the close box did not close it";

  donation = Open(c_.dona, kDonationTitle);
  ASSERT_TRUE(donation) << "the second \"Dona\" opened no donation window";
  HWND give = FindControl(donation, L"Button", L"Dona");
  ASSERT_TRUE(give);
  PressButton(give);
  EXPECT_TRUE(WaitUntil([&] { return Gone(donation); })) << "\"Dona\" did not close the window";
  // The browser starts on its own; the address arrives when it has run.
  EXPECT_TRUE(WaitUntil([&] { return !browser.Record().empty(); })) << "no web page was opened";
  Sleep(1000);  // a second hand-off, if any, would have arrived by now
  // Wine writes the scheme in small letters before it hands the address on.
  std::string record = browser.Record();
  if (record.compare(0, 5, "http:") == 0) record[0] = 'H';
  EXPECT_EQ(record, "Http://www.vornelt.example/dona\n") << "expected the page once";
  EXPECT_TRUE(tempra_->Running());
}

}  // namespace
}  // namespace tempra::e2e
