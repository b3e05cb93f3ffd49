#include "core/display_error_text.h"

#include <iterator>

namespace rara3 {
namespace {

struct ErrorText {
  int32_t code;
  const char* text;
};

constexpr int32_t kDirectDraw = kDirectDrawBase;

// The texts stand exactly as the game has always shown them, half-width and
// full-width punctuation included.
constexpr ErrorText kDisplayErrorText[] = {
    {kDirectDraw + 5, "オブジェクトはすでに初期化されています｡"},
    {kDirectDraw + 10, "要求されましたサーフェスにはサーフェスをアタッチできません｡"},
    {kDirectDraw + 20, "要求されましたサーフェスからサーフェスをデタッチできません｡"},
    {kDirectDraw + 40, "現在サポートされていません｡"},
    {kDirectDraw + 55, "要求されました処理を行う間に例外が発生しました｡"},
    {kDirectDraw + 90, "与えられた矩形の高さは必要とされる整列の倍数ではありません｡"},
    {kDirectDraw + 95, "プライマリサーフェス 作成要求が既存のプライマリサーフェスと一致していません｡"},
    {kDirectDraw + 100, "コールバック関数に渡された1つ以上の能力ビットが不正です｡"},
    {kDirectDraw + 110, "DirectDraw は与えられたクリッピングリスト をサポートしません。"},
    {kDirectDraw + 120, "DirectDraw は要求されたモードをサポートしません｡"},
    {kDirectDraw + 130, "DirectDraw は無効なDirectDraw オブジェクトのポインタを受け取りました。"},
    {kDirectDraw + 145, "指定されたピクセルフォーマットは無効です｡"},
    {kDirectDraw + 150, "与えられた矩形が無効です｡"},
    {kDirectDraw + 160, "1 つ以上のサーフェスがロックされており､要求されました処理に失敗しました｡"},
    {kDirectDraw + 170, "3Dハードウェアあるいはエミュレーションが存在しません。"},
    {kDirectDraw + 180, "アルファ アクセラレーション ハードウェアが存在しませんかあるいは利用できなかったため、要求された処理に失敗しました。"},
    {kDirectDraw + 205, "クリッピングリストが利用できません｡"},
    {kDirectDraw + 210, "色変換ハードウェアが存在しません､あるいは利用できないため､処理が実行できません｡"},
    {kDirectDraw + 212, "SetCooperativeLevelメソッドを呼び出すことなく作成関数が呼び出されました｡"},
    {kDirectDraw + 215, "サーフェスは現在カラーキーを持っていません｡"},
    {kDirectDraw + 220, "転送先カラーキーに対するハードウェアサポートがないため､処理が実行できません｡"},
    {kDirectDraw + 222, "現在のディスプレイ ドライバはDirectDrawをサポートしていません｡"},
    {kDirectDraw + 225, "アプリケーションに対し排他的モードが要求されましたが､アプリケーションは排他的モードを持っていません｡"},
    {kDirectDraw + 230, "可視サーフェスはフリッピングできません｡"},
    {kDirectDraw + 240, "GDI が存在しません｡"},
    {kDirectDraw + 250, "ミラーリング ハードウェアが存在しないかあるいは利用できないため､処理が実行できません｡"},
    {kDirectDraw + 255, "要求されました項目は見つかりませんでした｡"},
    {kDirectDraw + 260, "オーバーレイ ハードウェアが存在していないかあるいは利用できないため､処理が実行できません｡"},
    {kDirectDraw + 280, "適切なラスタ処理ハードウェアが存在しませんかあるいは利用できないため､処理が実行できません｡"},
    {kDirectDraw + 290, "回転ハードウェアが存在していませんか､あるいは利用できないため処理が実行できません｡"},
    {kDirectDraw + 310, "拡大ハードウェアが存在していませんかあるいは利用できないため､処理が実行できません｡"},
    {kDirectDraw + 316, "DirectDrawSurface オブジェクトは､要求された4ビット色パレットを使っていません｡"},
    {kDirectDraw + 317, "DirectDrawSurface オブジェクトは､要求された4ビットのカラーインデックスパレットを使っていません｡"},
    {kDirectDraw + 320, "DirectDrawSurface オブジェクトは､要求された8ビット色パレットを使っていません｡"},
    {kDirectDraw + 330, "テクスチャ マッピング ハードウェアが存在していませんかあるいは利用できませんため、処理が実行できません。"},
    {kDirectDraw + 335, "垂直帰線同期処理に対するハードウェアサポートがないため､処理を実行できません｡"},
    {kDirectDraw + 340, "Zバッファに対するハードウェアサポートがないため、ディスプレイ メモリでの Z バッファ作成あるいは Z バッファを使用しましたブロック転送が実行できません。"},
    {kDirectDraw + 350, "オーバーレイサーフェスは､ハードウェアがオーバーレイ Zオーダーをサポートしませんため､Zオーダーが無視されました｡"},
    {kDirectDraw + 360, "要求された処理に必要なハードウェアがすでに割り当てられています｡"},
    {kDirectDraw + 380, "DirectDrawが処理を行うのに十分なディスプレイ メモリがありません｡"},
    {kDirectDraw + 382, "ハードウェアはクリッピング オーバーレイをサポートしません｡"},
    {kDirectDraw + 384, "オーバーレイ上に1つ以上の有効なカラーキーを持とうとしました｡"},
    {kDirectDraw + 387, "パレットがもう1つのスレッドによってロックされていますため､アクセスが拒否されました｡"},
    {kDirectDraw + 400, "転送元カラーキー が指定されていません｡"},
    {kDirectDraw + 410, "すでにアタッチしているもう1つのサーフェスにサーフェスをアタッチしようとしました｡"},
    {kDirectDraw + 420, "すでに他のサーフェスに依存しているサーフェスを依存させようとしました｡"},
    {kDirectDraw + 430, "サーフェスがもう1つのスレッドによってロックされているため､サーフェスへのアクセスが拒否されました｡"},
    {kDirectDraw + 435, "DCI サポートなしでプライマリサーフェスのロックをしようとしましたため､このサーフェスへのアクセスが拒否されました｡"},
    {kDirectDraw + 440, "サーフェスへのアクセスが､サーフェスが隠蔽されているため拒否されました｡"},
    {kDirectDraw + 450, "サーフェス メモリの不足のため、サーフェスへのアクセスが拒否されました。 このサーフェスを表すDirectDrawSurface オブジェクトにはIdirectDrawSurface3::Restoreメソッドが呼び出されなければならない。"},
    {kDirectDraw + 460, "要求されましたサーフェスはアタッチできません｡"},
    {kDirectDraw + 470, "DirectDraw によって要求された高さが大きすぎます｡"},
    {kDirectDraw + 480, "DirectDraw によって要求されました大きさが大きすぎます｡しかし､個別の高さと幅は問題がありません｡"},
    {kDirectDraw + 490, "DirectDraw によって要求された幅が大きすぎます｡"},
    {kDirectDraw + 510, "要求されました FourCC フォーマットはDirectDraw によってサポートされていません。"},
    {kDirectDraw + 520, "要求されましたピクセルフォーマットでの ビットマスク はDirectDraw によってサポートされていません。"},
    {kDirectDraw + 537, "垂直帰線期間です｡"},
    {kDirectDraw + 540, "このサーフェスから､またはサーフェスへの前回のブロック転送操作が完了していません｡"},
    {kDirectDraw + 561, "DirectDrawCreate 関数に渡されるグローバルユニーク識別子（ GUID ）は有効な DirectDraw ドライバ識別子ではありません。"},
    {kDirectDraw + 562, "DirectDrawオブジェクトはすでに作成されています｡"},
    {kDirectDraw + 563, "ハードウェア専用DirectDraw オブジェクトを作成できません｡ドライバはハードウェアをサポートしません｡"},
    {kDirectDraw + 564, "この処理はすでにプライマリサーフェスを作成しています｡"},
    {kDirectDraw + 565, "ソフトウェア エミュレーションが利用できません｡"},
    {kDirectDraw + 566, "GetClipListメソッドに渡されました領域が小さすぎる｡"},
    {kDirectDraw + 567, "ウィンドウハンドルをすでにモニタしていますDirectDrawClipper オブジェクトにクリッピングリストをセットしようとしました｡"},
    {kDirectDraw + 568, "このサーフェス オブジェクトにはDirectDrawClipper オブジェクトをアタッチできません。"},
    {kDirectDraw + 569, "クリッピング通知がウィンドウハンドルを必要とする､あるいはウィンドウハンドルが協調レベル ウィンドウハンドルとしてあらかじめセットされていません｡"},
    {kDirectDraw + 570, "DirectDraw協調レベル ウィンドウハンドルが サブクラス化されているため、DirectDrawの状態のリストアが阻止されました。"},
    {kDirectDraw + 571, "DirectDraw協調レベル ウィンドウハンドルはすでに設定されています｡ウィンドウハンドルはプロセスがサーフェスあるいは生成しましたパレットを保持しています間はリセットできません｡"},
    {kDirectDraw + 572, "パレット オブジェクトがこのサーフェスにアタッチされていません｡"},
    {kDirectDraw + 573, "16 色あるいは256色のパレットに対するハードウェアサポートがない｡"},
    {kDirectDraw + 574, "DirectDrawClipper オブジェクトがBltFastメソッドの呼び出しに渡される転送元サーフェスにアタッチされています｡"},
    {kDirectDraw + 575, "ブロック転送ハードウェアが存在しません｡"},
    {kDirectDraw + 576, "DirectDraw ラスタ処理（ ROP ）ハードウェアが利用できません。"},
    {kDirectDraw + 577, "GetOverlayPositionメソッドが不可視オーバーレイ上で呼び出されました｡"},
    {kDirectDraw + 578, "転送先確立のためのUpdateOverlayメソッド呼び出しをしていないオーバーレイに対し､GetOverlayPositionメソッドが呼び出されました｡"},
    {kDirectDraw + 579, "転送先上のオーバーレイの位置が不正です｡"},
    {kDirectDraw + 580, "非オーバーレイサーフェスに対し､オーバーレイ コンポーネントが呼び出されました｡"},
    {kDirectDraw + 581, "すでに排他的モードがセットされていますにもかかわらず､協調レベルをセットしようとしました｡"},
    {kDirectDraw + 582, "フリッピングできないサーフェスをフリッピングしようとしました｡"},
    {kDirectDraw + 583, "プライマリサーフェス､3Dサーフェス､暗黙的に作られるサーフェスは複製できません｡"},
    {kDirectDraw + 584, "ロックされていませんサーフェスのロック解除が行われました｡"},
    {kDirectDraw + 585, "Windowsはそれ以上のいかなるデバイスコンテキスト（ DC ）を作ることができません。"},
    {kDirectDraw + 586, "DCは､これまでにこのサーフェス用に作られていません｡"},
    {kDirectDraw + 587, "異なったモードで作られたため､このサーフェスはリストアすることができません｡"},
    {kDirectDraw + 588, "暗黙的に作られたサーフェスをリストアしようとしました｡"},
    {kDirectDraw + 589, "使用していますサーフェスはパレット ベースのサーフェスではありません｡"},
    {kDirectDraw + 590, "ディスプレイは現在サポートされていないモードです｡"},
    {kDirectDraw + 591, "ミップマップ テクスチャ マッピングのハードウェアが存在していませんか、あるいは利用できませんので処理を実行できません。"},
    {kDirectDraw + 592, "サーフェスが間違ったタイプであったため､要求されました処理を実行できませんでした｡"},
    {kDirectDraw + 600, "デバイスは､最適化たサーフェイスをサポートしません｡"},
    {kDirectDraw + 601, "サーフェイスは最適化されていますが､まだメモリは割り当てられていません｡"},
    {kDirectDraw + 620, "デバイスコンテキスト（DC）はすでにこのサーフェスに対し返されています。１サーフェスにつき1つのDCしか取得することはできません。"},
    {kDirectDraw + 630, "非ローカルビデオメモリをサポートしないデバイスから､非ローカルビデオメモリを割り当てようとしました｡"},
    {kDirectDraw + 640, "サーフェスのページ ロックが失敗しました。 ページ ロックはディスプレイ メモリ サーフェスあるいはエミュレートされましたプライマリサーフェスの上では動作しません。"},
    {kDirectDraw + 660, "サーフェスのページ ロック解除が失敗しました。 ページ ロック解除はディスプレイ メモリ サーフェスあるいはエミュレートされましたプライマリサーフェスの上では動作しません。"},
    {kDirectDraw + 680, "未処理のページ ロックがないサーフェスのページ ロック解除が行われました。"},
    {kDirectDraw + 690, "指定したバッファサイズが保有できる以上のデータが存在します。"},
    {kDirectDraw + 695, "ビデオポートは､非アクティブです｡"},
    {kDirectDraw + 699, "1 つの DirectDraw デバイスによって作成されたサーフェスは、別の DirectDraw デバイスが直接使用することはできません。"},
    {static_cast<int32_t>(0x80004001u), "サポートされてない処理です｡"},
    {static_cast<int32_t>(0x80004005u), "未定義のエラー状態です｡"},
    {static_cast<int32_t>(0x800401F0u), "オブジェクトが初期化される前に、CoCreateInstanceで作成されました DirectDraw オブジェクトのインターフェイス メソッドを呼び出そうとしました。"},
    {5, "メソッドに渡された1つ以上のパラメータが正しくありません。"},
    {7, "DirectDrawが処理を行うのに十分なメモリがありません｡"},
};

static_assert(std::size(kDisplayErrorText) == 105);

}  // namespace

const char* DisplayErrorText(int32_t code) {
  for (const ErrorText& e : kDisplayErrorText) {
    if (e.code == code) return e.text;
  }
  return nullptr;
}

std::string DisplayErrorMessage(int32_t code) {
  if (const char* text = DisplayErrorText(code)) return text;
  return std::string("例外エラーです｡") + std::to_string(code);
}

std::string FatalErrorMessage(const PlatformError& e) {
  std::string message = DisplayErrorMessage(e.code);
  if (!e.what.empty()) message += "\n" + e.what;
  return message;
}

}  // namespace rara3
