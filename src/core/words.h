// The texts the player reads, in the player's language: English as written
// in the code, Japanese under a Japanese locale. The catalogue is po/ja.po;
// the desktop reads it compiled (gettext), the browser build has it
// compiled in.
#pragma once

#include <initializer_list>
#include <string>

namespace rara3 {

// Marks a text for the catalogue where it is only stored; Tr shows it.
#define N_(text) text

// The text in the chosen language; the English itself when the catalogue
// has no translation.
const char* Tr(const char* english);

// Tr for a text the catalogue keeps under a context (msgctxt), so that it
// never takes the translation of the same English elsewhere.
const char* TrContext(const char* context, const char* english);

// Tr, then each "{0}", "{1}", ... replaced by the argument of that index.
// A placeholder without an argument is left as it stands.
std::string TrFormat(const char* english, std::initializer_list<std::string> args);

// The form of a text for the number n ("1 push", "2 pushes"), in the
// chosen language's plural rule; the English forms without a catalogue.
const char* TrCount(const char* one, const char* many, long n);
// TrCount, then the placeholders filled as TrFormat fills them.
std::string TrFormatCount(const char* one, const char* many, long n, std::initializer_list<std::string> args);

// Desktop: the language of LC_ALL, LC_MESSAGES or LANG (and LANGUAGE), as
// every gettext program; the compiled catalogue under localeDir
// (localeDir/ja/LC_MESSAGES/rara3.mo).
void UseLocaleLanguage(const std::string& localeDir);

// Browser: a language tag as the page reports it ("ja", "ja-JP", "en-US");
// Japanese for any tag of the ja language, English otherwise.
void UseLanguageTag(const std::string& tag);

}  // namespace rara3
