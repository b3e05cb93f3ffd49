// A shipped stage or solution file, read whole from assets/ (empty when
// missing): stage n's "stages"/".txt" or "solutions"/".PBD".
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace rara3::test {

inline std::string ReadShippedAsset(int n, const char* folder, const char* extension) {
  char name[16];
  std::snprintf(name, sizeof name, "%03d%s", n, extension);
  std::ifstream in(std::string(RARA3_SOURCE_DIR) + "/assets/" + folder + "/" + name,
                   std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace rara3::test
