// The apply step and the backup on a folder of 10,000 generated mails: files per second of the
// per-file step (read the mail again, rename, re-date; the two scans not counted) and of the bare
// rename plus re-dating, and the backup's MB/s beside Info-ZIP's "zip -q" over the same files.

#include "extract/TFormViewMail.h"
#include "platform/FileOps.h"
#include "rename/ApplyRun.h"
#include "rename/BackupArchive.h"
#include "rename/FolderListing.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace kavio;

namespace {

constexpr int FileCount = 10000;

struct TFolder {
  QTemporaryDir Dir;
  qint64 Bytes = 0;
  QStringList OldNames;

  TFolder() {
    QRandomGenerator random(42);
    static const char* const words[] = {"Angebot", "Rechnung",  "Termin", "bitte",   "danke",  "und",   "der", "die",
                                        "das",     "Lieferung", "Grüße",  "Projekt", "morgen", "heute", "wir", "Ihnen"};
    for (int i = 0; i < FileCount; ++i) {
      const QString name = QString("Mail %1.eml").arg(i, 5, 10, QChar('0'));
      QByteArray text = "From: Absender " + QByteArray::number(i % 97) + " <a" + QByteArray::number(i % 97) +
                        "@example.de>\r\nTo: ich@example.de\r\nSubject: Nachricht " + QByteArray::number(i) +
                        "\r\nDate: " + QByteArray::number(1 + i % 28) + " Mar 2015 1" + QByteArray::number(i % 10) +
                        ":00:00 +0100\r\nMessage-ID: <" + QByteArray::number(i) +
                        "@example.de>\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n\r\n";
      const int textBytes = 1000 + static_cast<int>(random.bounded(8000));
      while (text.size() < textBytes) {
        text += words[random.bounded(16)];
        text += random.bounded(12) == 0 ? "\r\n" : " ";
      }
      if (i % 5 == 0) {  // every fifth with an attachment that does not compress
        QByteArray noise(4 * static_cast<int>(1000 + random.bounded(5000)), '\0');
        random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        text += "\r\n--b\r\nContent-Transfer-Encoding: base64\r\n\r\n";
        const QByteArray encoded = noise.toBase64();
        for (qsizetype at = 0; at < encoded.size(); at += 76) text += encoded.mid(at, 76) + "\r\n";
      }
      QFile file(Dir.path() + "/" + name);
      if (!file.open(QIODevice::WriteOnly)) std::abort();
      file.write(text);
      Bytes += text.size();
      OldNames << name;
    }
  }
};

TFolder& Folder() {
  static TFolder folder;
  return folder;
}

double BackupSeconds = 0;
double InfoZipSeconds = 0;

void BM_ApplyStep(benchmark::State& AState) {
  TFolder& folder = Folder();
  extract::TSilentReporter reporter;
  extract::TFormViewMail viewMail(&reporter);
  rename::TPreviewScan scan(viewMail, reporter);
  rename::TApplyRun run(scan, reporter);
  bool on = true;
  for (auto _ : AState) {
    AState.PauseTiming();
    const QStringList names = rename::ListMailFiles(folder.Dir.path(), QStringLiteral("*.eml"));
    const rename::TScanOptions options{rename::TMailKind::Eml, on, on};  // every file moves each time
    on = !on;
    AState.ResumeTiming();
    int done = 0;
    for (const QString& name : names)
      done += run.ChangeFile(folder.Dir.path(), name, options).Outcome == rename::TApplyOutcome::Renamed;
    if (done != FileCount) AState.SkipWithError("not every file was renamed");
  }
  AState.SetItemsProcessed(AState.iterations() * FileCount);
}

void BM_RenameAndRedate(benchmark::State& AState) {
  TFolder& folder = Folder();
  const QStringList names = rename::ListMailFiles(folder.Dir.path(), QStringLiteral("*.eml"));
  const QDateTime instant(QDate(2015, 3, 1), QTime(12, 0), Qt::UTC);
  bool there = true;
  for (auto _ : AState) {
    for (const QString& name : names) {
      const QString a = folder.Dir.path() + "/" + name, b = folder.Dir.path() + "/x" + name;
      if (platform::RenameNoReplace(there ? a : b, there ? b : a) != 0 ||
          platform::SetLastWriteTime(there ? b : a, instant) != 0)
        AState.SkipWithError("rename or re-dating failed");
    }
    there = !there;
  }
  AState.SetItemsProcessed(AState.iterations() * FileCount);
  if (!there)  // back to the names of the listing
    for (const QString& name : names)
      platform::RenameNoReplace(folder.Dir.path() + "/x" + name, folder.Dir.path() + "/" + name);
}

void BM_Backup(benchmark::State& AState) {
  TFolder& folder = Folder();
  extract::TSilentReporter reporter;
  QDateTime now(QDate(2015, 1, 31), QTime(14, 25, 1));
  double seconds = 0;
  for (auto _ : AState) {
    const auto t0 = std::chrono::steady_clock::now();
    const QString archive = rename::WriteBackup(folder.Dir.path(), rename::TMailKind::Eml, reporter, now);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    AState.PauseTiming();
    AState.counters["archive_MB"] = static_cast<double>(QFileInfo(archive).size()) / 1e6;
    QFile::remove(archive);
    now = now.addSecs(1);
    AState.ResumeTiming();
  }
  BackupSeconds = seconds / static_cast<double>(AState.iterations());
  AState.SetBytesProcessed(AState.iterations() * folder.Bytes);
}

void BM_InfoZip(benchmark::State& AState) {
  TFolder& folder = Folder();
  const QString archive = folder.Dir.path() + "/infozip.zip";
  const QByteArray command = "cd '" + QFile::encodeName(folder.Dir.path()) + "' && zip -q -6 infozip.zip *.eml";
  double seconds = 0;
  for (auto _ : AState) {
    const auto t0 = std::chrono::steady_clock::now();
    if (std::system(command.constData()) != 0) AState.SkipWithError("zip failed (is Info-ZIP installed?)");
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    AState.PauseTiming();
    AState.counters["archive_MB"] = static_cast<double>(QFileInfo(archive).size()) / 1e6;
    QFile::remove(archive);
    AState.ResumeTiming();
  }
  InfoZipSeconds = seconds / static_cast<double>(AState.iterations());
  AState.SetBytesProcessed(AState.iterations() * folder.Bytes);
}

BENCHMARK(BM_ApplyStep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);
BENCHMARK(BM_RenameAndRedate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_InfoZip)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  std::fprintf(stderr, "%d files, %.1f MB\n", FileCount, static_cast<double>(Folder().Bytes) / 1e6);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (BackupSeconds > 0 && InfoZipSeconds > 0)
    std::fprintf(stderr, "backup / zip -q time: %.2f (target at most 1.20)\n", BackupSeconds / InfoZipSeconds);
  return 0;
}
