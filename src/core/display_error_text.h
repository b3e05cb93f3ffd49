// The texts of the fatal-error message box, by failure code, and the codes
// under which the platform's own failures reach it.
#pragma once

#include <cstdint>
#include <string>

#include "core/platform.h"

namespace rara3 {

// DirectDraw's result codes are this base plus a small number.
constexpr int32_t kDirectDrawBase = static_cast<int32_t>(0x88760000u);

// General codes with a text of their own.
constexpr int32_t kCodeInvalidArgument = 5;
constexpr int32_t kCodeOutOfMemory = 7;
constexpr int32_t kCodeNotImplemented = static_cast<int32_t>(0x80004001u);
constexpr int32_t kCodeUnspecified = static_cast<int32_t>(0x80004005u);

// Codes the platform uses for its failures. The display's failures (no
// display server, window, renderer or texture refused) are unspecified
// errors; the file and sound codes have no text and show the fallback,
// followed by what went wrong.
constexpr int32_t kCodeDisplayFailed = kCodeUnspecified;
constexpr int32_t kCodeFileNotFound = 53;
constexpr int32_t kCodeFileTooShort = 62;
constexpr int32_t kCodeFileAccess = 75;
constexpr int32_t kCodeSoundBadFormat = static_cast<int32_t>(0x88780064u);

// The text for a code in the player's language, or nullptr when the table
// has none.
const char* DisplayErrorText(int32_t code);

// What the message box shows for a code: the table's text, or
// "Unexpected error" and the code as a signed decimal number (in Japanese
// "例外エラーです｡" with the number right after it).
std::string DisplayErrorMessage(int32_t code);

// The message of the fatal-error path: the code's text, then the failure's
// own description (the file it concerns, the system's reason) on a line of
// its own when there is one.
std::string FatalErrorMessage(const PlatformError& e);

}  // namespace rara3
