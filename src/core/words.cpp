#include "core/words.h"

#include <algorithm>
#include <cstring>

#include "core/japanese_words.h"

#ifndef __EMSCRIPTEN__
#include <langinfo.h>
#include <libintl.h>

#include <clocale>
#endif

namespace rara3 {
namespace {

#ifndef __EMSCRIPTEN__
constexpr char kDomain[] = "rara3";
#endif

// Set by a language tag: the compiled-in Japanese table instead of gettext.
bool useTable = false;
bool tableIsJapanese = false;

const char* FromTable(const char* english, const char* context = nullptr) {
  if (!tableIsJapanese) return english;
  for (const JapaneseWord& w : kJapaneseWords) {
    const bool sameContext = context == nullptr ? w.context == nullptr
                                                : w.context != nullptr && std::strcmp(w.context, context) == 0;
    if (sameContext && std::strcmp(w.english, english) == 0) return w.japanese[0] != '\0' ? w.japanese : english;
  }
  return english;
}

}  // namespace

const char* Tr(const char* english) {
  // The empty text would fetch the catalogue's header.
  if (english == nullptr || english[0] == '\0') return english;
  if (useTable) return FromTable(english);
#ifdef __EMSCRIPTEN__
  return english;
#else
  return dgettext(kDomain, english);
#endif
}

const char* TrContext(const char* context, const char* english) {
  if (english == nullptr || english[0] == '\0') return english;
  if (useTable) return FromTable(english, context);
#ifdef __EMSCRIPTEN__
  (void)context;
  return english;
#else
  // gettext keeps a context as "context\4text"; without a translation it
  // hands back that key, never the text alone.
  const std::string key = std::string(context) + '\4' + english;
  const char* found = dgettext(kDomain, key.c_str());
  return found == key.c_str() ? english : found;
#endif
}

namespace {

std::string Fill(const std::string& text, std::initializer_list<std::string> args) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '{') {
      const size_t close = text.find('}', i + 1);
      if (close != std::string::npos && close > i + 1 && close - i <= 3 &&
          std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                      text.begin() + static_cast<std::ptrdiff_t>(close),
                      [](char c) { return c >= '0' && c <= '9'; })) {
        const size_t index = std::stoul(text.substr(i + 1, close - i - 1));
        if (index < args.size()) {
          out += *(args.begin() + index);
          i = close;
          continue;
        }
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace

std::string TrFormat(const char* english, std::initializer_list<std::string> args) { return Fill(Tr(english), args); }

const char* TrCount(const char* one, const char* many, long n) {
  const unsigned long count = n < 0 ? static_cast<unsigned long>(-n) : static_cast<unsigned long>(n);
  if (useTable) return FromTable(count == 1 ? one : many);
#ifdef __EMSCRIPTEN__
  return count == 1 ? one : many;
#else
  return dngettext(kDomain, one, many, count);
#endif
}

std::string TrFormatCount(const char* one, const char* many, long n, std::initializer_list<std::string> args) {
  return Fill(TrCount(one, many, n), args);
}

void UseLocaleLanguage(const std::string& localeDir) {
  useTable = false;
#ifndef __EMSCRIPTEN__
  // The messages follow the locale, and the characters so that the system's
  // own reasons (strerror) come out in UTF-8 rather than as question marks;
  // numbers stay as the files expect them.
  std::setlocale(LC_MESSAGES, "");
  const char* ctype = std::setlocale(LC_CTYPE, "");
  if (ctype == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
  }
  bindtextdomain(kDomain, localeDir.c_str());
  bind_textdomain_codeset(kDomain, "UTF-8");
#else
  (void)localeDir;
#endif
}

void UseLanguageTag(const std::string& tag) {
  useTable = true;
  std::string language = tag.substr(0, tag.find_first_of("-_"));
  std::transform(language.begin(), language.end(), language.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  tableIsJapanese = language == "ja";
}

}  // namespace rara3
