#pragma once

#include <exception>
#include <optional>

#include "platform/chart_error.h"

namespace palvex {

// Runs a call for a Qt caller, through which nothing may be thrown: the
// run-time error it raised (anything else as an internal error), or none.
template <typename F>
std::optional<ChartError> CaughtError(F&& call) {
  try {
    call();
  } catch (const ChartError& e) {
    return e;
  } catch (const std::exception& e) {
    return ChartError(kErrInternal, e.what());
  }
  return std::nullopt;
}

}  // namespace palvex
