// Readable names for table-driven tests: a case's `name`, letters and digits kept, the
// rest "_", then its index (names of a table need not be unique).
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace mozhou::testing_support {

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
  std::string name;
  for (const char* p = info.param.name; *p != '\0'; ++p) {
    const char c = *p;
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    name += keep ? c : '_';
  }
  return name + "_" + std::to_string(info.index);
}

}  // namespace mozhou::testing_support
