// Chooses the language of the shown texts the way a player's environment
// does (LC_ALL, LANGUAGE), with the catalogue this build compiled.
#pragma once

#include <clocale>
#include <cstdlib>

#include "core/words.h"

namespace rara3 {

// C.UTF-8 is on every system; under it LANGUAGE=ja picks the Japanese
// catalogue as a Japanese locale would. nullptr: the plain C locale.
inline void ChooseLanguage(const char* language, const char* locale = "C.UTF-8") {
  if (language != nullptr) {
    setenv("LANGUAGE", language, 1);
    setenv("LC_ALL", locale, 1);
  } else {
    unsetenv("LANGUAGE");
    setenv("LC_ALL", "C", 1);
  }
  UseLocaleLanguage(RARA3_TEST_LOCALE_DIR);
}

}  // namespace rara3
