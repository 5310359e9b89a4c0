// The queue list in the order libcups's own destination list has, for names that sort awkwardly.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "spooler/cups_print_server.h"
#include "spooler/cups_spooler.h"
#include "spooler/queue_order.h"
#include "support/run_command.h"
#include "support/virtual_printers.h"

namespace varnok {
namespace {

// Case, digits against letters, the ASCII signs between the capitals and the small letters,
// UTF-8, prefixes, a class, and more names than fit on a screen.
std::vector<testing::VirtualQueue> AwkwardQueues() {
  std::vector<testing::VirtualQueue> queues;
  for (const char* name :
       {"VARNOK_a",   "Varnok-B", "varnok_c", "VARNOK9",  "VARNOK10", "VARNOKZ",  "VARNOK_",
        "VARNOK-",    "VARNOK",   "VARNOK[x", "VARNOK^x", "VARNOK`x", "VARNOK{x", "VARNOK~x",
        "VARNOK标签", "VARNOKé",  "Ärger",    "zebra",    "Zebra2",   "a",        "B",
        "0",          "_x",       "-x",       "ZZ标签"}) {
    queues.push_back({name, "VARNOK K540 200DPI"});
  }
  for (int i = 0; i < 45; ++i) {
    const char* prefixes[] = {"Shelf_", "shelf-", "SHELF"};
    queues.push_back({prefixes[i % 3] + std::to_string(i), "Other"});
  }
  return queues;
}

std::vector<std::string> DestinationNames() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    if (dests[i].instance == nullptr) names.emplace_back(dests[i].name);
  }
  cupsFreeDests(count, dests);
  return names;
}

TEST(CupsQueueOrder, SpoolerAndPrintServerListEveryQueueAsCupsGetDests2Does) {
  const std::vector<testing::VirtualQueue> queues = AwkwardQueues();
  const auto printers = testing::VirtualPrinters::Start(queues);
  testing::RunOrThrow({"/usr/sbin/lpadmin", "-h", printers->ServerSocket(), "-p", "VARNOK_a", "-c",
                       "Varnok_Class"});

  const std::vector<std::string> expected = DestinationNames();
  ASSERT_EQ(expected.size(), queues.size() + 1);
  CupsSpooler spooler;
  EXPECT_EQ(*spooler.ListQueues(), expected);
  CupsPrintServer server;
  const auto details = server.Queues();
  ASSERT_TRUE(details) << details.failure().reason;
  std::vector<std::string> names;
  for (const QueueDetails& queue : *details) names.push_back(queue.name);
  EXPECT_EQ(names, expected);
  // The scheduler answers in this order already; the order must also hold on its own.
  std::vector<std::string> reversed(expected.rbegin(), expected.rend());
  std::ranges::sort(reversed, ComesBeforeInCupsOrder);
  EXPECT_EQ(reversed, expected);
}

}  // namespace
}  // namespace varnok
