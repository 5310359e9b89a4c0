#pragma once

#include <QCoreApplication>

#include "qt/background_work.h"

namespace varnok::testing {

// Lets the windows' work on other threads end and hands its answers to the windows, as the event
// loop would: a window opened in a test lists its queues once this has run.
inline void DeliverBackgroundWork() {
  WaitForBackgroundWork();
  QCoreApplication::sendPostedEvents();
}

}  // namespace varnok::testing
