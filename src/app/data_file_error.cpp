#include "app/data_file_error.h"

#include <sys/stat.h>

#include "core/display_error_text.h"
#include "data/data_file.h"

namespace rara3 {

PlatformError DataFileError(const std::string& path, const std::string& error,
                            const char* howToRestore) {
  struct stat st {};
  int code = kCodeFileAccess;
  if (stat(path.c_str(), &st) != 0) {
    code = kCodeFileNotFound;
    if (howToRestore != nullptr) return PlatformError{code, error + "\n" + Tr(howToRestore)};
  } else if (st.st_size < kDataFileSize) {
    code = kCodeFileTooShort;
  }
  return PlatformError{code, error};
}

}  // namespace rara3
