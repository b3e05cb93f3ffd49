#include "core/display_error_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/language.h"

namespace rara3 {
namespace {

struct TextCase {
  const char* name;
  int32_t code;
  std::string english;
  std::string japanese;  // byte for byte what the game has always shown
};

class DisplayErrorTextTest : public ::testing::TestWithParam<TextCase> {
 protected:
  void TearDown() override { ChooseLanguage(nullptr); }
};

TEST_P(DisplayErrorTextTest, ShowsTheTextForTheCodeInEnglish) {
  ChooseLanguage(nullptr);
  EXPECT_EQ(DisplayErrorMessage(GetParam().code), GetParam().english);
}

TEST_P(DisplayErrorTextTest, ShowsTheTextForTheCodeInJapanese) {
  ChooseLanguage("ja");
  EXPECT_EQ(DisplayErrorMessage(GetParam().code), GetParam().japanese);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DisplayErrorTextTest,
    ::testing::Values(
        TextCase{"LostSurface", kDirectDrawBase + 450,
                 "Access to the surface was refused because surface memory ran out. The "
                 "IDirectDrawSurface3::Restore method must be called on the DirectDrawSurface "
                 "object that stands for this surface.",
                 "サーフェス メモリの不足のため、サーフェスへのアクセスが拒否されました。 "
                 "このサーフェスを表すDirectDrawSurface "
                 "オブジェクトにはIdirectDrawSurface3::Restoreメソッドが呼び出されなければならない。"},
        // The general code 5 and DirectDraw's number 5 are different entries.
        TextCase{"InvalidArgument", 5, "One or more of the parameters passed to the method are incorrect.",
                 "メソッドに渡された1つ以上のパラメータが正しくありません。"},
        TextCase{"DirectDrawFive", kDirectDrawBase + 5, "The object has already been initialised.",
                 "オブジェクトはすでに初期化されています｡"},
        TextCase{"OutOfMemory", 7, "There is not enough memory for DirectDraw to carry out the operation.",
                 "DirectDrawが処理を行うのに十分なメモリがありません｡"},
        TextCase{"Unspecified", static_cast<int32_t>(0x80004005u), "Undefined error.",
                 "未定義のエラー状態です｡"},
        TextCase{"NotImplemented", static_cast<int32_t>(0x80004001u), "The operation is not supported.",
                 "サポートされてない処理です｡"},
        TextCase{"LastDirectDrawEntry", kDirectDrawBase + 699,
                 "A surface created by one DirectDraw device cannot be used directly by another "
                 "DirectDraw device.",
                 "1 つの DirectDraw デバイスによって作成されたサーフェスは、別の DirectDraw "
                 "デバイスが直接使用することはできません。"},
        TextCase{"MixedPunctuation", kDirectDrawBase + 180,
                 "The requested operation failed because alpha acceleration hardware is missing or "
                 "was not available.",
                 "アルファ アクセラレーション "
                 "ハードウェアが存在しませんかあるいは利用できなかったため、要求された処理に失敗しました。"},
        TextCase{"HalfWidthComma", kDirectDrawBase + 210,
                 "The operation cannot be carried out because colour conversion hardware is missing "
                 "or not available.",
                 "色変換ハードウェアが存在しません､あるいは利用できないため､処理が実行できません｡"},
        // Codes not in the table: the fallback, signed decimal, no space in
        // Japanese.
        TextCase{"MinusOne", -1, "Unexpected error -1", "例外エラーです｡-1"},
        TextCase{"Zero", 0, "Unexpected error 0", "例外エラーです｡0"},
        TextCase{"DirectDrawSevenIsNotSeven", kDirectDrawBase + 7, "Unexpected error -2005532665",
                 "例外エラーです｡-2005532665"},
        TextCase{"SoundFormat", kCodeSoundBadFormat, "Unexpected error -2005401500",
                 "例外エラーです｡-2005401500"},
        TextCase{"FileNotFound", kCodeFileNotFound, "Unexpected error 53", "例外エラーです｡53"},
        TextCase{"LargestPositive", 2147483647, "Unexpected error 2147483647",
                 "例外エラーです｡2147483647"},
        TextCase{"SmallestNegative", -2147483647 - 1, "Unexpected error -2147483648",
                 "例外エラーです｡-2147483648"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayErrorTextTable, EveryCodeInTheListHasTextInBothLanguages) {
  const int numbers[] = {5,   10,  20,  40,  55,  90,  95,  100, 110, 120, 130, 145, 150, 160, 170,
                         180, 205, 210, 212, 215, 220, 222, 225, 230, 240, 250, 255, 260, 280, 290,
                         310, 316, 317, 320, 330, 335, 340, 350, 360, 380, 382, 384, 387, 400, 410,
                         420, 430, 435, 440, 450, 460, 470, 480, 490, 510, 520, 537, 540, 561, 562,
                         563, 564, 565, 566, 567, 568, 569, 570, 571, 572, 573, 574, 575, 576, 577,
                         578, 579, 580, 581, 582, 583, 584, 585, 586, 587, 588, 589, 590, 591, 592,
                         600, 601, 620, 630, 640, 660, 680, 690, 695, 699};
  ASSERT_EQ(std::size(numbers), 100u);
  std::vector<int32_t> codes = {kCodeInvalidArgument, kCodeOutOfMemory, kCodeNotImplemented,
                                kCodeUnspecified, static_cast<int32_t>(0x800401F0u)};
  for (int n : numbers) codes.push_back(kDirectDrawBase + n);
  // Each in English, and in Japanese through the catalogue: a text the
  // catalogue lacks would come out in English.
  for (int32_t code : codes) {
    ChooseLanguage(nullptr);
    const char* english = DisplayErrorText(code);
    ASSERT_NE(english, nullptr) << code;
    const std::string shownInEnglish = english;
    ChooseLanguage("ja");
    const char* japanese = DisplayErrorText(code);
    ASSERT_NE(japanese, nullptr) << code;
    EXPECT_NE(shownInEnglish, japanese) << "no Japanese for " << shownInEnglish;
  }
  ChooseLanguage(nullptr);
  // Neighbours of listed numbers are not in the table.
  for (int n : {0, 6, 11, 451, 700}) EXPECT_EQ(DisplayErrorText(kDirectDrawBase + n), nullptr) << n;
}

TEST(FatalErrorMessage, AddsTheFailuresOwnDescriptionOnALineOfItsOwn) {
  ChooseLanguage("ja");
  EXPECT_EQ(FatalErrorMessage({kCodeFileNotFound, "/game/TOVAK.DAT: no such file"}),
            "例外エラーです｡53\n/game/TOVAK.DAT: no such file");
  EXPECT_EQ(FatalErrorMessage({kCodeDisplayFailed, ""}), "未定義のエラー状態です｡");
  ChooseLanguage(nullptr);
  EXPECT_EQ(FatalErrorMessage({kCodeFileNotFound, "/game/TOVAK.DAT: no such file"}),
            "Unexpected error 53\n/game/TOVAK.DAT: no such file");
}

}  // namespace
}  // namespace rara3
