#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "common/worker_thread.h"

namespace ruvenset {
namespace {

TEST(WorkerThread, RunsTasksInOrderOnItsOwnThread) {
  std::vector<int> order;
  std::promise<std::thread::id> ran;
  {
    WorkerThread worker;
    for (int i = 0; i < 5; ++i) worker.Post([&order, i] { order.push_back(i); });
    worker.Post([&] { ran.set_value(std::this_thread::get_id()); });
  }
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_NE(ran.get_future().get(), std::this_thread::get_id());
}

// A procedure waiting for an answer from another thread runs the work posted meanwhile (a window's
// ticks), but never inside one of those, and returns only once nothing is left queued.
TEST(WorkerThread, ServesPostedWorkWhileAProcedureWaits) {
  WorkerThread worker;
  WorkerThread::Wait answer;
  std::vector<std::string> seen;
  std::promise<void> finished;
  worker.Post([&] {
    EXPECT_EQ(WorkerThread::Current(), &worker);
    std::thread window([&] {
      worker.Post([&] {
        seen.push_back("tick");
        WorkerThread::Wait inner;
        worker.Post([&] { seen.push_back("tick 2"); });
        std::thread completer([&] { worker.Complete(inner); });
        worker.ServeUntil(inner);  // inside a tick: the second tick waits its turn
        completer.join();
        seen.push_back("tick done");
      });
      worker.Complete(answer);
    });
    worker.ServeUntil(answer);
    window.join();
    seen.push_back("procedure goes on");
    finished.set_value();
  });
  finished.get_future().wait();
  EXPECT_EQ(seen, (std::vector<std::string>{"tick", "tick done", "tick 2", "procedure goes on"}));
  EXPECT_EQ(WorkerThread::Current(), nullptr);
}

TEST(WorkerThread, StopReachesTheSignalItWasGiven) {
  WorkerThread worker;
  worker.RequestStop();  // none given: nothing happens
  StopSignal stop;
  worker.SetStop(&stop);
  worker.RequestStop();
  EXPECT_TRUE(stop.requested());
  stop.Clear();
  EXPECT_FALSE(stop.requested());
}

}  // namespace
}  // namespace ruvenset
