// Replays fuzz inputs without libFuzzer: every file named, and every file in
// every folder named, goes through the target once. A crash or a broken
// invariant aborts, so CTest sees the failure.
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_support.h"

namespace {

void Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  // Owned here, so a leak check at exit finds nothing left of it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (!std::filesystem::is_directory(path)) {
      Replay(path);
      ++replayed;
      continue;
    }
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
      if (!entry.is_regular_file() || entry.path().filename().string().starts_with('.')) continue;
      Replay(entry.path());
      ++replayed;
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return 0;
}
