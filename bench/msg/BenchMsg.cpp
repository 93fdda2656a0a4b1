// The preview scan of the direct ".msg" route over 10,000 generated files of about 30 KB, and
// the floor: opening, reading and closing each file. Counters: files per second, the largest
// file, and the peak resident memory of the scan (VmHWM, reset before it where the kernel
// allows) beside the limit of twice the largest file plus 50 MB.

#include "MsgGenerator.h"
#include "extract/TFormViewMail.h"
#include "rename/PreviewScan.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <string>

using namespace kavio;

namespace {

constexpr int FileCount = 10000;

class TNullReporter : public extract::IReporter {
 public:
  void Warning(const QString&) override { ++Warnings; }
  void Error(const QString&) override { ++Warnings; }
  void Information(const QString&) override {}
  void Message(const QString&) override {}
  bool Confirm(const QString&) override { return false; }
  void Status(const QString&) override {}
  int Warnings = 0;
};

struct TCorpus {
  QTemporaryDir Dir;
  QStringList Names;
  qint64 Largest = 0;
  qint64 Total = 0;
};

const TCorpus& Corpus() {
  static TCorpus* corpus = [] {
    auto* c = new TCorpus;
    tools::TMsgGeneratorOptions options;
    options.BodyBytes = 9600;  // with the RTF body and the rest: about 30 KB a file
    options.RtfBytes = 8192;
    if (tools::WriteMsgFiles(c->Dir.path(), FileCount, 42, options) != FileCount) std::abort();
    for (const QFileInfo& info : QDir(c->Dir.path()).entryInfoList(QDir::Files)) {
      c->Names << info.fileName();
      c->Largest = std::max(c->Largest, info.size());
      c->Total += info.size();
    }
    return c;
  }();
  return *corpus;
}

// Peak resident memory in KiB: VmHWM, else ru_maxrss.
long PeakKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Sets the peak back to the current resident size (Linux: "5" into clear_refs).
bool ResetPeak() {
  std::ofstream refs("/proc/self/clear_refs");
  refs << "5";
  refs.flush();
  return refs.good();
}

// files_per_s counts against the CPU time of the process, files_per_s_wall against the clock
// (which other load on the machine slows down).
void SetCounters(benchmark::State& AState, long APeakKiB, bool APeakReset, double AWallSeconds) {
  const TCorpus& corpus = Corpus();
  AState.counters["files_per_s"] =
      benchmark::Counter(double(AState.iterations()) * corpus.Names.size(), benchmark::Counter::kIsRate);
  AState.counters["files_per_s_wall"] = double(AState.iterations()) * corpus.Names.size() / AWallSeconds;
  AState.counters["avg_file_kb"] = double(corpus.Total) / corpus.Names.size() / 1024.0;
  AState.counters["largest_file_kb"] = double(corpus.Largest) / 1024.0;
  AState.counters["peak_rss_mb"] = APeakKiB / 1024.0;
  AState.counters["peak_limit_mb"] = 2.0 * corpus.Largest / (1024.0 * 1024.0) + 50.0;
  AState.counters["peak_was_reset"] = APeakReset ? 1 : 0;
}

void BM_PreviewMsgDirect(benchmark::State& AState) {
  const TCorpus& corpus = Corpus();
  TNullReporter reporter;
  extract::TFormViewMail viewMail(&reporter);
  rename::TPreviewScan scan(viewMail, reporter);
  rename::TScanOptions options;
  options.Kind = rename::TMailKind::MsgDirect;
  options.UsePreStrg = true;
  options.UseFromStrg = true;
  scan.ReadFiles(corpus.Dir.path(), options);  // warm: the page cache holds the files
  const bool reset = ResetPeak();
  int rows = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : AState) {
    const rename::TScanResult result = scan.ReadFiles(corpus.Dir.path(), options);
    rows = int(result.Rows.size());
    if (result.UnreadableCount > 0) AState.SkipWithError("unreadable files");
    benchmark::DoNotOptimize(result);
  }
  if (rows != corpus.Names.size()) AState.SkipWithError("not every file listed");
  SetCounters(AState, PeakKiB(), reset,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

void BM_FloorReadWholeFiles(benchmark::State& AState) {
  const TCorpus& corpus = Corpus();
  QStringList paths;
  for (const QString& name : corpus.Names) paths << QDir(corpus.Dir.path()).filePath(name);
  std::vector<char> buffer(size_t(corpus.Largest) + 1);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : AState) {
    qint64 bytes = 0;
    for (const QString& path : paths) {
      const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) continue;
      ssize_t got;
      while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) bytes += got;
      ::close(fd);
    }
    benchmark::DoNotOptimize(bytes);
  }
  SetCounters(AState, PeakKiB(), false,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace

BENCHMARK(BM_FloorReadWholeFiles)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PreviewMsgDirect)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  ::setenv("TZ", "Europe/Berlin", 1);
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
