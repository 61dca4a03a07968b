#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/help_windows.h"
#include "app_test_support.h"
#include "gui/api.h"
#include "gui/headless/user_actions.h"

namespace tempra {
namespace {

using namespace quardeln;

constexpr char16_t kHelpTitle[] = u"Tempra Help";
constexpr char16_t kDonationTitle[] = u"Tempra Donazioni";

class HelpWindowsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartProgramAt(10, 0, 0);
  }

  // Checks the open window's gadgets and remembers the window to see it released later.
  void ExpectWindow(const std::u16string& title, const std::u16string& text,
                    const std::u16string& buttonText) {
    Then([this, title, text, buttonText] {
      GadgetRef window = OpenWindow(title);
      ASSERT_NE(window, nullptr);
      last_ = window;
      auto w = AsHeadless(window);
      EXPECT_EQ((std::vector<int32_t>{w->xpos, w->ypos, w->width, w->height, w->style}),
                (std::vector<int32_t>{298, 248, 390, 310, 1}));
      ASSERT_EQ(window->kids.size(), 2u);
      auto area = AsHeadless(KidOfClass(window, GADGETCLASS_TEXTAREA));
      ASSERT_NE(area, nullptr);
      EXPECT_EQ(
          (std::vector<int32_t>{area->xpos, area->ypos, area->width, area->height, area->style}),
          (std::vector<int32_t>{5, 9, 373, 219, 0}));
      EXPECT_EQ(area->text, text);
      auto button = AsHeadless(KidOfClass(window, GADGETCLASS_BUTTON));
      ASSERT_NE(button, nullptr);
      EXPECT_EQ(button->text, buttonText);
      EXPECT_EQ((std::vector<int32_t>{button->xpos, button->ypos, button->width, button->height,
                                      button->style}),
                (std::vector<int32_t>{150, 241, 75, 23, 1}));
    });
  }

  // A window closed by its close box is still the source of the active event, which
  // holds it until the next event is taken; nothing else may hold it.
  void ExpectClosed(const std::u16string& title, bool byCloseBox = false) {
    Then([this, title, byCloseBox] {
      EXPECT_EQ(OpenWindow(title), nullptr);
      EXPECT_EQ(last_.use_count(), byCloseBox ? 1 : 0) << "the closed window is still held";
      EXPECT_NE(OpenWindow(kMainWindowTitle), nullptr);
    });
  }

  void Finish() {
    Click(W().exitButton);
    EXPECT_EQ(RunMainLoop(), kExitCode);
    EXPECT_EQ(system_->StepsLeft(), 0u);
  }

  std::weak_ptr<TGadget> last_;
};

const std::u16string kHelpText =
    u"Questo piccolo programma svolge la funzione di\r"
    u"un promemoria digitale molto semplice.\r"
    u"Una volta impostata l'ora voluta, riporta la finestra\r"
    u"del medesimo in primo piano su qualsiasi applicazione.\r"
    u"\r"
    u"Attenzione, Il processo una volta avviato pu\u00F2 essere interrotto\r"
    u"solo utilizzando il Task Manager di Windows (CTRL+ALT+CANC).";

const std::u16string kDonationText =
    u"Volendo contribuire a sostenere lo sviluppo\r"
    u"dei nostri programmi Freeware puoi fare una\r"
    u"piccola donazione libera.\r"
    u"\r"
    u"Grazie\r";

TEST_F(HelpWindowsTest, HelpClosesByOkAndByItsCloseBox) {
  Click(W().helpButton);
  ExpectWindow(kHelpTitle, kHelpText, u"OK");
  ClickInWindow(kHelpTitle, u"OK");
  ExpectClosed(kHelpTitle);
  Click(W().helpButton);
  ExpectWindow(kHelpTitle, kHelpText, u"OK");
  CloseBoxOfWindow(kHelpTitle);
  ExpectClosed(kHelpTitle, true);
  Finish();
}

TEST_F(HelpWindowsTest, WhileHelpIsOpenOtherActionsAreDropped) {
  Click(W().helpButton);
  ExpectWindow(kHelpTitle, kHelpText, u"OK");
  Click(W().exitButton);
  ClickArrow(W().hoursStepper, true);
  Then([this] {
    GadgetRef help = OpenWindow(kHelpTitle);
    ASSERT_NE(help, nullptr);
    UserTypeText(KidOfClass(help, GADGETCLASS_TEXTAREA), u"x");
  });
  Then([this] {
    EXPECT_NE(OpenWindow(kHelpTitle), nullptr);
    EXPECT_EQ(GadgetGetText(W().alarmHoursField), u"10");
    EXPECT_TRUE(GadgetIsDisabled(W().activateButton));
  });
  // The main window's close box closes the help window, not the program.
  CloseBox(W().mainWindow);
  ExpectClosed(kHelpTitle);
  Finish();
}

TEST_F(HelpWindowsTest, DonaOpensThePageOnceAndTheCloseBoxOpensNothing) {
  Click(W().donateButton);
  ExpectWindow(kDonationTitle, kDonationText, u"Dona");
  ClickInWindow(kDonationTitle, u"Dona");
  ExpectClosed(kDonationTitle);
  Then([this] {
    EXPECT_EQ(system_->Inner().OpenedUrls(),
              (std::vector<std::u16string>{u"Http://www.vornelt.example/dona"}));
  });
  Click(W().donateButton);
  ExpectWindow(kDonationTitle, kDonationText, u"Dona");
  // The main window's "Dona" is not the donation window's.
  Click(W().donateButton);
  CloseBoxOfWindow(kDonationTitle);
  ExpectClosed(kDonationTitle, true);
  Then([this] { EXPECT_EQ(system_->Inner().OpenedUrls().size(), 1u); });
  Finish();
}

}  // namespace
}  // namespace tempra
