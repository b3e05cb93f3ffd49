#include "core/words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <string>
#include <vector>

#include "core/japanese_words.h"
#include "support/language.h"

namespace rara3 {
namespace {

// The "{n}" placeholders of a text, sorted.
std::vector<std::string> Placeholders(const std::string& text) {
  std::vector<std::string> found;
  for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
    const size_t close = text.find('}', open);
    if (close != std::string::npos) found.push_back(text.substr(open, close - open + 1));
  }
  std::sort(found.begin(), found.end());
  return found;
}

// A catalogue entry as the game asks for it: under its context, or a
// plural form through its singular, for a number that takes it.
const char* Shown(const JapaneseWord& w) {
  if (w.context != nullptr) return TrContext(w.context, w.english);
  return w.singular ? TrCount(w.singular, w.english, 2) : Tr(w.english);
}

class WordsTest : public ::testing::Test {
 protected:
  void TearDown() override { ChooseLanguage(nullptr); }
};

TEST_F(WordsTest, EveryTextOfTheCatalogueHasAJapaneseTranslation) {
  ASSERT_GT(std::size(kJapaneseWords), 100u);
  for (const JapaneseWord& w : kJapaneseWords) {
    EXPECT_STRNE(w.japanese, "") << "not translated: " << w.english;
    EXPECT_FALSE(w.fuzzy) << "translation marked fuzzy: " << w.english;
    EXPECT_EQ(Placeholders(w.japanese), Placeholders(w.english)) << w.english;
  }
}

TEST_F(WordsTest, TheLocaleChoosesTheLanguageOfEveryText) {
  for (const JapaneseWord& w : kJapaneseWords) {
    ChooseLanguage(nullptr);
    EXPECT_STREQ(Shown(w), w.english);
    ChooseLanguage("ja");
    EXPECT_STREQ(Shown(w), w.japanese);
    // An English locale has no catalogue of its own: the English text.
    ChooseLanguage("en", "C.UTF-8");
    EXPECT_STREQ(Shown(w), w.english);
  }
}

TEST_F(WordsTest, AJapaneseLocaleWithoutLanguageChoosesJapanese) {
  // The usual desktop: LANG=ja_JP.UTF-8 and nothing else. Only where the
  // system has that locale.
  if (std::setlocale(LC_MESSAGES, "ja_JP.UTF-8") == nullptr) {
    GTEST_SKIP() << "the ja_JP.UTF-8 locale is not installed here";
  }
  unsetenv("LANGUAGE");
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  setenv("LANG", "ja_JP.UTF-8", 1);
  UseLocaleLanguage(RARA3_TEST_LOCALE_DIR);
  EXPECT_EQ(TrFormat(N_("Unexpected error {0}"), {"53"}), "例外エラーです｡53");
  setenv("LANG", "C", 1);
  UseLocaleLanguage(RARA3_TEST_LOCALE_DIR);
  EXPECT_EQ(TrFormat(N_("Unexpected error {0}"), {"53"}), "Unexpected error 53");
}

TEST_F(WordsTest, TheBrowsersTableShowsWhatTheCatalogueShows) {
  struct TagCase {
    const char* tag;
    bool japanese;
  };
  for (const TagCase& c : {TagCase{"ja", true}, TagCase{"ja-JP", true}, TagCase{"JA_jp", true},
                           TagCase{"en-US", false}, TagCase{"jav", false}, TagCase{"", false}}) {
    UseLanguageTag(c.tag);
    for (const JapaneseWord& w : kJapaneseWords) {
      EXPECT_STREQ(Shown(w), c.japanese ? w.japanese : w.english) << c.tag;
    }
  }
  UseLanguageTag("ja");
  EXPECT_STREQ(Tr("A text the catalogue does not have"), "A text the catalogue does not have");
}

TEST_F(WordsTest, AContextKeepsItsTranslationsApart) {
  // Stage titles sit under a context of their own: the same English
  // outside it, or under another context, stays English.
  struct ContextCase {
    const char* context;  // nullptr: Tr
    const char* english;
    const char* japanese;
  };
  const ContextCase cases[] = {
      {"stage title", "First Light", "はじまりの光"},
      {"stage title", "Taking Turns", "かわりばんこ"},
      {nullptr, "First Light", "First Light"},
      {"another context", "First Light", "First Light"},
      {"stage title", "Floor {0}", "Floor {0}"},
      {"stage title", "", ""},
  };
  const auto shown = [](const ContextCase& c) {
    return c.context != nullptr ? TrContext(c.context, c.english) : Tr(c.english);
  };
  for (const ContextCase& c : cases) {
    ChooseLanguage("ja");
    EXPECT_STREQ(shown(c), c.japanese) << c.english;
    ChooseLanguage(nullptr);
    EXPECT_STREQ(shown(c), c.english) << c.english;
    // The browser's table agrees with the catalogue.
    UseLanguageTag("ja");
    EXPECT_STREQ(shown(c), c.japanese) << c.english;
  }
}

TEST_F(WordsTest, CountsTakeTheFormOfTheirNumber) {
  struct CountCase {
    long n;
    const char* english;
    const char* japanese;
  };
  const CountCase cases[] = {{0, "0 pushes", "押し0回"}, {1, "1 push", "押し1回"}, {2, "2 pushes", "押し2回"},
                             {21, "21 pushes", "押し21回"}, {-1, "-1 push", "押し-1回"}};
  const auto format = [](long n) {
    return TrFormatCount(N_("{0} push"), N_("{0} pushes"), n, {std::to_string(n)});
  };
  for (const CountCase& c : cases) {
    ChooseLanguage(nullptr);
    EXPECT_EQ(format(c.n), c.english);
    ChooseLanguage("ja");
    EXPECT_EQ(format(c.n), c.japanese);
    // The browser's table agrees with the catalogue.
    UseLanguageTag("en");
    EXPECT_EQ(format(c.n), c.english);
    UseLanguageTag("ja");
    EXPECT_EQ(format(c.n), c.japanese);
  }
}

TEST_F(WordsTest, NoticesFillTheirPlaceholdersInEitherLanguage) {
  ChooseLanguage(nullptr);
  EXPECT_EQ(TrFormat(N_("Stage {0} cannot be loaded: {1}"), {"12", "TOVAK.DAT: too short"}),
            "Stage 12 cannot be loaded: TOVAK.DAT: too short");
  ChooseLanguage("ja");
  EXPECT_EQ(TrFormat(N_("Stage {0} cannot be loaded: {1}"), {"12", "TOVAK.DAT: too short"}),
            "ステージ12を読み込めません: TOVAK.DAT: too short");
  EXPECT_EQ(TrFormat(N_("Progress (stage {0}) was not saved: {1}"), {"3", "disk full"}),
            "進行状況（ステージ3）を保存できませんでした: disk full");
}

TEST_F(WordsTest, FormatReplacesOnlyPlaceholdersItHasArgumentsFor) {
  struct FormatCase {
    const char* text;
    std::initializer_list<std::string> args;
    const char* expected;
  };
  const FormatCase cases[] = {
      {"{1} before {0}", {"a", "b"}, "b before a"},
      {"{0}{0}", {"x"}, "xx"},
      {"{2} has no argument", {"a"}, "{2} has no argument"},
      {"{} {x} {0", {"a"}, "{} {x} {0"},
      {"an argument of its own braces: {0}", {"{1}"}, "an argument of its own braces: {1}"},
      {"", {"a"}, ""},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(TrFormat(c.text, c.args), c.expected) << c.text;
}

}  // namespace
}  // namespace rara3
