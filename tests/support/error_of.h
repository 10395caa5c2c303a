#pragma once

#include "platform/chart_error.h"

namespace palvex::testing {

// The run-time error number a call raises, or 0 when it succeeds.
template <typename F>
int ErrorOf(F&& call) {
  try {
    call();
  } catch (const ChartError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace palvex::testing
