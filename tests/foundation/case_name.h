#pragma once

#include <gtest/gtest.h>

#include <string>

namespace varnok::testing {

// Names a table-driven test after the "name" field of its case.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& case_info) const {
    return case_info.param.name;
  }
};

}  // namespace varnok::testing
