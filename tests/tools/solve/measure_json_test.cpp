// The stage measures' JSON lines (rara3-solve --measure), read back by the
// docs' scripts: words of any length must come out whole.
#include <gtest/gtest.h>

#include <string>

#include "measure.h"

namespace rara3::solve {
namespace {

TEST(MeasureJsonTest, ALongIdeaComesOutWholeAndTheLineStaysClosed) {
  StageFile file;
  file.title = "A \"Quoted\" Title";
  file.idea = std::string(400, 'x') + " and the end";
  const StageMeasure m;
  const std::string j = MeasureJson(7, file, m);
  EXPECT_EQ(j.rfind("{\"stage\":7,", 0), 0u) << j.substr(0, 40);
  EXPECT_NE(j.find("\"title\":\"A \\\"Quoted\\\" Title\""), std::string::npos);
  EXPECT_NE(j.find("\"idea\":\"" + file.idea + "\",\"box\":"), std::string::npos);
  EXPECT_EQ(j.substr(j.size() - 2), "]}");
}

}  // namespace
}  // namespace rara3::solve
