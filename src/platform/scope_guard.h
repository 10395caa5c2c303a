#pragma once

namespace palvex {

// Gives a flag its value on every way out of a scope, returned or thrown:
// a busy or drawing flag left set by a failure would block the control for
// good.
class SetOnExit {
 public:
  SetOnExit(bool& flag, bool value) : flag_(flag), value_(value) {}
  ~SetOnExit() { flag_ = value_; }
  SetOnExit(const SetOnExit&) = delete;
  SetOnExit& operator=(const SetOnExit&) = delete;

 private:
  bool& flag_;
  bool value_;
};

}  // namespace palvex
