#include <gtest/gtest.h>

#include "spooler/printer_access.h"
#include "support/fake_spooler.h"

namespace varnok {
namespace {

TEST(ListBrandQueues, KeepsExactBrandPrefixesInSpoolerOrder) {
  testing::FakeSpooler spooler;
  for (const char* name : {"VARNOKX", "varnok_K540", "Varnok-Office", "VarNok_R5", "VARNO",
                           "My_VARNOK", "VARNOK_K540_200DPI", "Office_Laser"}) {
    spooler.AddQueue(name);
  }

  EXPECT_EQ(ListBrandQueues(spooler).value(),
            (std::vector<std::string>{"VARNOKX", "Varnok-Office", "VARNOK_K540_200DPI"}));
}

}  // namespace
}  // namespace varnok
