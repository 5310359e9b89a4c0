#include "printer/prefetching_spooler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_spooler.h"

namespace varnok {
namespace {

using testing::FakeSpooler;
using std::chrono_literals::operator""ms;

// A spooler whose queue listing waits until the test lets it go, and which notes any call
// that arrives while a listing runs.
class GatedSpooler : public FakeSpooler {
 public:
  std::vector<std::string> QueueNames() override {
    listing_ = true;
    if (listings_ == 0) started_.set_value();
    gate_.wait();
    std::vector<std::string> names = FakeSpooler::QueueNames();
    ++listings_;
    listing_ = false;
    return names;
  }
  std::optional<SpoolerFailure> OpenQueue(std::string_view queue) override {
    NoteOverlap();
    return FakeSpooler::OpenQueue(queue);
  }
  QueueDescription DescribeQueue(std::string_view queue) override {
    NoteOverlap();
    return FakeSpooler::DescribeQueue(queue);
  }
  std::unique_ptr<RawJob> CreateRawJob(std::string_view queue, std::string_view title,
                                       SpoolerFailure& failure) override {
    NoteOverlap();
    return FakeSpooler::CreateRawJob(queue, title, failure);
  }

  void WaitUntilListingStarts() { started_.get_future().wait(); }
  // Lets the listing finish after a while, from another thread.
  std::jthread OpenGateAfter(std::chrono::milliseconds delay) {
    return std::jthread([this, delay] {
      std::this_thread::sleep_for(delay);
      opened_.set_value();
    });
  }
  void OpenGate() { opened_.set_value(); }

  int listings() const { return listings_; }
  bool overlapped() const { return overlapped_; }

 private:
  void NoteOverlap() {
    if (listing_) overlapped_ = true;
  }

  std::promise<void> started_;
  std::promise<void> opened_;
  std::shared_future<void> gate_ = opened_.get_future().share();
  std::atomic<bool> listing_ = false;
  std::atomic<bool> overlapped_ = false;
  std::atomic<int> listings_ = 0;
};

TEST(PrefetchingSpoolerTest, FirstListIsTheOneAskedForAtOnceLaterListsAreFresh) {
  GatedSpooler queues;
  queues.AddQueue("VARNOK_A");
  queues.AddQueue("VARNOK_B");
  PrefetchingSpooler spooler(queues);
  queues.WaitUntilListingStarts();
  queues.OpenGate();
  // Blocks until the early listing has been taken, so the queue added now is not in it.
  EXPECT_EQ(spooler.QueueNames(), (std::vector<std::string>{"VARNOK_A", "VARNOK_B"}));
  queues.AddQueue("VARNOK_C");
  EXPECT_EQ(spooler.QueueNames(), (std::vector<std::string>{"VARNOK_A", "VARNOK_B", "VARNOK_C"}));
  EXPECT_EQ(queues.listings(), 2);
}

TEST(PrefetchingSpoolerTest, CallsMadeWhileTheEarlyListingRunsWaitForIt) {
  const std::vector<std::pair<const char*, std::function<void(Spooler&)>>> calls = {
      {"OpenQueue", [](Spooler& s) { EXPECT_FALSE(s.OpenQueue("VARNOK_A").has_value()); }},
      {"DescribeQueue",
       [](Spooler& s) { EXPECT_EQ(s.DescribeQueue("VARNOK_A").outcome, DescribeOutcome::Ok); }},
      {"CreateRawJob",
       [](Spooler& s) {
         SpoolerFailure failure;
         EXPECT_NE(s.CreateRawJob("VARNOK_A", "Label", failure), nullptr);
       }},
  };
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    GatedSpooler queues;
    queues.AddQueue("VARNOK_A");
    PrefetchingSpooler spooler(queues);
    queues.WaitUntilListingStarts();
    const std::jthread opener = queues.OpenGateAfter(30ms);
    call(spooler);
    EXPECT_FALSE(queues.overlapped());
    EXPECT_EQ(spooler.QueueNames(), std::vector<std::string>{"VARNOK_A"});
    EXPECT_EQ(queues.listings(), 1);
  }
}

TEST(PrefetchingSpoolerTest, EndWaitsForAnEarlyListingNobodyTook) {
  GatedSpooler queues;
  {
    const std::jthread opener = queues.OpenGateAfter(30ms);
    const PrefetchingSpooler spooler(queues);
  }
  EXPECT_EQ(queues.listings(), 1);
}

}  // namespace
}  // namespace varnok
