// Late-bound calls: any DISPID, flags, argument count and variant types,
// with event handlers that call back in and unsubscribe. Invoke never
// throws, never reports success with an error number, never lets anything
// but the control's own error out of a member, and leaves the busy flags
// clear.
#include <optional>
#include <vector>

#include "chart_on_host.h"
#include "control/automation/connection_point.h"
#include "control/automation/dispatch.h"
#include "platform/chart_error.h"

using namespace palvex;

namespace {

Variant AnyVariant(fuzz::Bytes& in) {
  switch (in.Below(11)) {
    case 0:
      return Variant();
    case 1:
      return Variant::Missing();
    case 2:
      return Variant::Boolean(in.Below(2) == 1);
    case 3:
      return Variant::Short(in.Take<std::int16_t>());
    case 4:
      return Variant::Long(in.Take<std::int32_t>());
    case 5:
      return Variant::Unsigned(in.Take<std::uint32_t>());
    case 6:
      return Variant::Single(in.Take<float>());
    case 7:
      return Variant::Double(in.Take<double>());
    case 8:
      return Variant::Text(in.Text(12));
    case 9:
      return Variant::Record(ChartItem{in.Text(3), in.Text(3), in.Text(3), in.Take<double>()});
    default:
      return Variant::Double(in.Below(3) == 0 ? 1e300 : -0.0);
  }
}

class Caller;

// Calls back into the control from inside an event, or unsubscribes.
class ReenteringSink : public DispatchEventSink {
 public:
  ReenteringSink(Caller& caller, fuzz::Bytes& in) : caller_(caller), in_(in) {}
  void Invoke(DispId id, std::span<Variant> args) override;
  ConnectionPoint* point = nullptr;
  std::uint32_t cookie = 0;

 private:
  Caller& caller_;
  fuzz::Bytes& in_;
};

class Caller {
 public:
  explicit Caller(PalvexChart& chart, fuzz::Bytes& in) : dispatch_(chart), in_(in) {}

  void Call() {
    const auto& members = PalvexChartLibrary().Interface().members;
    const unsigned pick = in_.Below(static_cast<unsigned>(members.size()) + 1);
    const DispId id = pick < members.size() ? members[pick].dispid : in_.Take<DispId>();
    const auto flags = static_cast<std::uint16_t>(in_.Below(8));
    std::vector<Variant> args(in_.Below(5));
    for (Variant& a : args) a = AnyVariant(in_);
    Variant result;
    ErrorInfo error;
    HResult status = status::kOk;
    ++depth_;
    try {
      status = dispatch_.Invoke(id, flags, args, in_.Below(4) ? &result : nullptr,
                                in_.Below(4) ? &error : nullptr);
    } catch (...) {
      fuzz::Broken("Invoke threw");
    }
    --depth_;
    if (status == status::kOk && error.number != 0) fuzz::Broken("success with an error number");
    if (status != status::kOk && error.number == kErrInternal)
      fuzz::Broken("something other than the control's error left a member");
  }
  int depth() const { return depth_; }

 private:
  Dispatch dispatch_;
  fuzz::Bytes& in_;
  int depth_ = 0;
};

void ReenteringSink::Invoke(DispId, std::span<Variant> args) {
  for (Variant& a : args) a = AnyVariant(in_);  // what a handler writes back is ignored
  switch (in_.Below(4)) {
    case 0:
      if (caller_.depth() < 3) caller_.Call();
      break;
    case 1:
      if (cookie && point->Unadvise(cookie)) cookie = 0;
      break;
    default:
      break;
  }
}

// A twin with a handler on its events that calls back in.
struct CallingTwin : fuzz::Twin {
  CallingTwin(const std::uint8_t* data, std::size_t size, bool paintAtOnce)
      : Twin(data, size, paintAtOnce) {
    if (!chart) return;
    for (int i = 0; i < 4; ++i) host.QueueMenuAnswer(std::nullopt);
    caller.emplace(*chart, in);
    point.emplace(chart->state().events);
    sink.emplace(*caller, in);
    sink->point = &*point;
    sink->cookie = point->Advise(&*sink);
  }

  void Step() {
    if (in.Below(8) == 0) {
      // A click raises events, so handlers get their turn.
      const auto x = static_cast<float>(in.Take<std::uint16_t>() % 5000);
      const auto y = static_cast<float>(in.Take<std::uint16_t>() % 4000);
      Run([&] {
        chart->MouseDown(1, 0, x, y);
        chart->MouseUp(1, 0, x, y);
      });
    } else {
      Run([&] { caller->Call(); });
    }
  }

  std::optional<Caller> caller;
  std::optional<ConnectionPoint> point;
  std::optional<ReenteringSink> sink;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartQt();
  CallingTwin compared(data, size, false), whole(data, size, true);
  if (!compared.chart) return 0;
  for (int calls = 0; calls < 64 && !compared.in.empty(); ++calls) {
    compared.Step();
    whole.Step();
    fuzz::CheckSamePictures(compared, whole);
  }
  return 0;
}
