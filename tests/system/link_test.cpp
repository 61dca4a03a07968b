#include "system/link.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "runtime/text.h"
#include "system/headless/headless_driver.h"

namespace quardeln {
namespace {

namespace fs = std::filesystem;

// Runs in a scratch directory holding readme.txt, page.html, città.txt and a folder.
class OpenLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver_ = std::make_shared<THeadlessSystemDriver>();
    StartSystemModule(driver_);
    previous_ = fs::current_path();
    scratch_ =
        fs::temp_directory_path() /
        ("quardeln-link-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(scratch_ / "folder");
    fs::current_path(scratch_);
    for (const char* name : {"readme.txt", "page.html"}) std::ofstream(name) << "x";
    std::ofstream(fs::path(u8"citt\u00e0.txt")) << "x";
  }

  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(scratch_);
  }

  std::u16string Opened(const std::u16string& text) {
    OpenLink(text);
    return driver_->OpenedUrls().empty() ? u"<nothing>" : driver_->OpenedUrls().back();
  }

  static std::u16string FullPath(const char8_t* name) {
    fs::path full = fs::current_path() / fs::path(name);
#ifdef _WIN32
    std::wstring wide = full.wstring();
    return std::u16string(wide.begin(), wide.end());
#else
    return FromUtf8(full.string());
#endif
  }

  std::shared_ptr<THeadlessSystemDriver> driver_;
  fs::path previous_;
  fs::path scratch_;
};

TEST_F(OpenLinkTest, AddressesWithASchemePassUnchangedWhateverTheCase) {
  for (std::u16string text : {u"http://example.org/a#b", u"Http://example.org", u"HTTP:x",
                              u"file:readme.txt", u"FiLe:c:/x", u"https://example.org/dona"}) {
    EXPECT_EQ(Opened(text), text);
  }
  EXPECT_EQ(driver_->OpenedUrls().size(), 6u);
}

TEST_F(OpenLinkTest, AnExistingRelativeNameOpensItsFullPath) {
  EXPECT_EQ(Opened(u"readme.txt"), u"file:" + FullPath(u8"readme.txt"));
  EXPECT_EQ(Opened(u"folder"), u"file:" + FullPath(u8"folder"));
  EXPECT_EQ(Opened(u"citt\u00e0.txt"), u"file:" + FullPath(u8"citt\u00e0.txt"));
}

TEST_F(OpenLinkTest, TheAnchorStaysBehindTheResolvedPath) {
  EXPECT_EQ(Opened(u"page.html#sezione"), u"file:" + FullPath(u8"page.html") + u"#sezione");
  EXPECT_EQ(Opened(u"page.html#a#b"), u"file:" + FullPath(u8"page.html") + u"#a#b");
}

TEST_F(OpenLinkTest, AMissingNameIsTriedAsAWebAddress) {
  EXPECT_EQ(Opened(u"www.example.org/page#top"), u"http:www.example.org/page#top");
  EXPECT_EQ(Opened(u"missing.txt"), u"http:missing.txt");
  EXPECT_EQ(Opened(u"#top"), u"http:#top");  // no name: not the current directory
  EXPECT_EQ(Opened(u""), u"http:");
  EXPECT_EQ(Opened(u"ftp:"), u"http:ftp:");
}

}  // namespace
}  // namespace quardeln
