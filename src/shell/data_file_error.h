// The platform failure for a data file that cannot be read, for every
// bring-up.
#pragma once

#include <string>

#include "core/platform.h"

namespace rara3 {

// 53 when the file is missing, 62 when it is too short, 75 otherwise; the
// message names it.
PlatformError DataFileError(const std::string& path, const std::string& error);

}  // namespace rara3
