#include "core/display_error_text.h"

#include <gtest/gtest.h>

#include <string>

namespace rara3 {
namespace {

struct TextCase {
  const char* name;
  int32_t code;
  std::string expected;
};

class DisplayErrorTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(DisplayErrorTextTest, ShowsTheTextForTheCode) {
  EXPECT_EQ(DisplayErrorMessage(GetParam().code), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DisplayErrorTextTest,
    ::testing::Values(
        TextCase{"LostSurface", kDirectDrawBase + 450,
                 "サーフェス メモリの不足のため、サーフェスへのアクセスが拒否されました。 "
                 "このサーフェスを表すDirectDrawSurface "
                 "オブジェクトにはIdirectDrawSurface3::Restoreメソッドが呼び出されなければならない。"},
        // The general code 5 and DirectDraw's number 5 are different entries.
        TextCase{"InvalidArgument", 5, "メソッドに渡された1つ以上のパラメータが正しくありません。"},
        TextCase{"DirectDrawFive", kDirectDrawBase + 5, "オブジェクトはすでに初期化されています｡"},
        TextCase{"OutOfMemory", 7, "DirectDrawが処理を行うのに十分なメモリがありません｡"},
        TextCase{"Unspecified", static_cast<int32_t>(0x80004005u), "未定義のエラー状態です｡"},
        TextCase{"NotImplemented", static_cast<int32_t>(0x80004001u), "サポートされてない処理です｡"},
        TextCase{"LastDirectDrawEntry", kDirectDrawBase + 699,
                 "1 つの DirectDraw デバイスによって作成されたサーフェスは、別の DirectDraw "
                 "デバイスが直接使用することはできません。"},
        TextCase{"MixedPunctuation", kDirectDrawBase + 180,
                 "アルファ アクセラレーション "
                 "ハードウェアが存在しませんかあるいは利用できなかったため、要求された処理に失敗しました。"},
        TextCase{"HalfWidthComma", kDirectDrawBase + 210,
                 "色変換ハードウェアが存在しません､あるいは利用できないため､処理が実行できません｡"},
        // Codes not in the table: the fallback, signed decimal, no space.
        TextCase{"MinusOne", -1, "例外エラーです｡-1"},
        TextCase{"Zero", 0, "例外エラーです｡0"},
        TextCase{"DirectDrawSevenIsNotSeven", kDirectDrawBase + 7, "例外エラーです｡-2005532665"},
        TextCase{"SoundFormat", kCodeSoundBadFormat, "例外エラーです｡-2005401500"},
        TextCase{"FileNotFound", kCodeFileNotFound, "例外エラーです｡53"},
        TextCase{"LargestPositive", 2147483647, "例外エラーです｡2147483647"},
        TextCase{"SmallestNegative", -2147483647 - 1, "例外エラーです｡-2147483648"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayErrorTextTable, EveryDirectDrawNumberInTheListHasText) {
  const int numbers[] = {5,   10,  20,  40,  55,  90,  95,  100, 110, 120, 130, 145, 150, 160, 170,
                         180, 205, 210, 212, 215, 220, 222, 225, 230, 240, 250, 255, 260, 280, 290,
                         310, 316, 317, 320, 330, 335, 340, 350, 360, 380, 382, 384, 387, 400, 410,
                         420, 430, 435, 440, 450, 460, 470, 480, 490, 510, 520, 537, 540, 561, 562,
                         563, 564, 565, 566, 567, 568, 569, 570, 571, 572, 573, 574, 575, 576, 577,
                         578, 579, 580, 581, 582, 583, 584, 585, 586, 587, 588, 589, 590, 591, 592,
                         600, 601, 620, 630, 640, 660, 680, 690, 695, 699};
  ASSERT_EQ(std::size(numbers), 100u);
  for (int n : numbers) EXPECT_NE(DisplayErrorText(kDirectDrawBase + n), nullptr) << n;
  // Neighbours of listed numbers are not in the table.
  for (int n : {0, 6, 11, 451, 700}) EXPECT_EQ(DisplayErrorText(kDirectDrawBase + n), nullptr) << n;
}

TEST(FatalErrorMessage, AddsTheFailuresOwnDescriptionOnALineOfItsOwn) {
  EXPECT_EQ(FatalErrorMessage({kCodeFileNotFound, "/game/TOVAK.DAT: no such file"}),
            "例外エラーです｡53\n/game/TOVAK.DAT: no such file");
  EXPECT_EQ(FatalErrorMessage({kCodeDisplayFailed, ""}), "未定義のエラー状態です｡");
}

}  // namespace
}  // namespace rara3
