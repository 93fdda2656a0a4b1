// The preview scan over folders of generated ".eml" files: files per second with a warm page
// cache, against the floor of opening, reading the first 4 KiB and closing the same files; and
// the scan's peak memory, which must not grow with the size of the mails' bodies.
//
// Folders are generated once per size on first use (in $TMPDIR) and removed at the end.
// Counters: files_per_second; peak_rss (the scan's process at its peak) and scan_rss_growth
// (what the scan added to it), both measured in a forked child so that the benchmark's own
// iterations do not mix in.

#include "extract/Reporter.h"
#include "extract/TFormViewMail.h"
#include "make-eml/EmlGenerator.h"
#include "rename/PreviewScan.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace kavio;

struct TCorpus {
  QTemporaryDir Dir;
  std::vector<std::string> Paths;
};

std::map<std::pair<int, int>, std::unique_ptr<TCorpus>>& Corpora() {
  static std::map<std::pair<int, int>, std::unique_ptr<TCorpus>> corpora;
  return corpora;
}

// ACount mails with bodies of ABodyKb KiB, generated on first use.
TCorpus& Corpus(int ACount, int ABodyKb) {
  auto& slot = Corpora()[{ACount, ABodyKb}];
  if (!slot) {
    slot = std::make_unique<TCorpus>();
    if (!slot->Dir.isValid()) throw std::runtime_error("no temporary folder");
    const auto start = std::chrono::steady_clock::now();
    tools::TEmlGenerator generator({.Count = ACount, .BodyKb = ABodyKb, .Seed = 42});
    for (const auto& mail : generator.WriteFolder(slot->Dir.path()))
      slot->Paths.push_back(QFile::encodeName(QDir(slot->Dir.path()).filePath(mail.FileName)).toStdString());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "generated %d mails of %d KiB bodies in %s (%.1f s)\n", ACount, ABodyKb,
                 qPrintable(slot->Dir.path()), seconds);
  }
  return *slot;
}

rename::TScanResult Scan(const QString& AFolder) {
  extract::TSilentReporter reporter;
  extract::TFormViewMail viewMail(&reporter);
  rename::TPreviewScan scan(viewMail, reporter);
  return scan.ReadFiles(AFolder, {rename::TMailKind::Eml, true, true});
}

// A line "VmRSS:   1234 kB" of /proc/self/status, in bytes; -1 when missing.
double StatusBytes(const char* AField) {
  FILE* file = std::fopen("/proc/self/status", "r");
  if (!file) return -1;
  char line[256];
  double value = -1;
  const size_t length = std::strlen(AField);
  while (std::fgets(line, sizeof line, file))
    if (std::strncmp(line, AField, length) == 0 && line[length] == ':') {
      value = std::atof(line + length + 1) * 1024;
      break;
    }
  std::fclose(file);
  return value;
}

struct TMemory {
  double Peak = -1;    // VmHWM at the end of the scan
  double Growth = -1;  // VmHWM minus VmRSS before the scan
};

// Runs one scan in a forked child: free heap memory returned to the system first, and the
// peak reset ("5" to /proc/self/clear_refs), so the peak is the scan's own.
TMemory ScanMemory(const QString& AFolder) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    ::malloc_trim(0);
    if (FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", clear);
      std::fclose(clear);
    }
    TMemory memory;
    const double before = StatusBytes("VmRSS");
    {
      const rename::TScanResult result = Scan(AFolder);
      benchmark::DoNotOptimize(result.Rows.size());
      memory.Peak = StatusBytes("VmHWM");
    }
    memory.Growth = memory.Peak - before;
    const ssize_t written = ::write(pipeFds[1], &memory, sizeof memory);
    ::_exit(written == sizeof memory ? 0 : 1);
  }
  ::close(pipeFds[1]);
  TMemory memory;
  if (child > 0) {
    if (::read(pipeFds[0], &memory, sizeof memory) != sizeof memory) memory = {};
    int status = 0;
    ::waitpid(child, &status, 0);
  }
  ::close(pipeFds[0]);
  return memory;
}

// Args: file count, body KiB.
void BM_PreviewScan(benchmark::State& AState) {
  const int count = static_cast<int>(AState.range(0));
  TCorpus& corpus = Corpus(count, static_cast<int>(AState.range(1)));
  const QString folder = corpus.Dir.path();
  // Warms the page cache, and checks that every file was listed and read.
  if (const rename::TScanResult first = Scan(folder); first.Rows.size() != count || first.UnreadableCount != 0) {
    AState.SkipWithError("the scan did not read every file");
    return;
  }
  const TMemory memory = ScanMemory(folder);
  for (auto _ : AState) {
    const rename::TScanResult result = Scan(folder);
    benchmark::DoNotOptimize(result.Rows.size());
  }
  AState.counters["files_per_second"] = benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
  AState.counters["peak_rss"] =
      benchmark::Counter(memory.Peak, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
  AState.counters["scan_rss_growth"] =
      benchmark::Counter(memory.Growth, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
}

// The floor: open, read the first 4 KiB, close, for the same files. Args as above.
void BM_OpenRead4KiBClose(benchmark::State& AState) {
  const int count = static_cast<int>(AState.range(0));
  const TCorpus& corpus = Corpus(count, static_cast<int>(AState.range(1)));
  char buffer[4096];
  for (auto _ : AState) {
    for (const std::string& path : corpus.Paths) {
      const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) {
        AState.SkipWithError("cannot open a generated file");
        return;
      }
      benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
      ::close(fd);
    }
  }
  AState.counters["files_per_second"] = benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
}

// The main figures: 10,000 mails with 50 KB bodies, the scan and its floor.
BENCHMARK(BM_PreviewScan)->Args({10000, 50})->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_OpenRead4KiBClose)->Args({10000, 50})->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
// Memory against body size: the same 300 mails with 50 KB and with 5 MB bodies.
BENCHMARK(BM_PreviewScan)->Args({300, 50})->Args({300, 5120})->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints the console table, then the ratio of scan to floor for each folder both ran on.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& AReports) override {
    ConsoleReporter::ReportRuns(AReports);
    for (const Run& run : AReports) {
      const auto rate = run.counters.find("files_per_second");
      if (run.error_occurred || rate == run.counters.end()) continue;
      const std::string name = run.benchmark_name();
      const auto slash = name.find('/');
      std::string args = slash == std::string::npos ? std::string() : name.substr(slash);
      args = args.substr(0, args.find("/min_time"));
      args = args.substr(0, args.find("/real_time"));
      (name.rfind("BM_PreviewScan", 0) == 0 ? FScan : FFloor)[args] = rate->second.value;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [args, scan] : FScan)
      if (const auto floor = FFloor.find(args); floor != FFloor.end())
        std::printf("files %s (count/KiB): scan %.0f files/s, floor %.0f files/s, scan/floor %.2f\n", args.c_str(),
                    scan, floor->second, scan / floor->second);
  }

 private:
  std::map<std::string, double> FScan, FFloor;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  Corpora().clear();  // removes the generated folders
  return 0;
}
