// The four list panes of the main window with a folder of 20,000 mails: how long filling them
// takes, and what one scroll step costs once they are full (the step and the painting of all
// four panes; below 16 ms a step keeps up with a 60 Hz screen).
//
// Runs the real window on Qt's offscreen platform. The name pane reads a generated folder of
// 20,000 empty ".eml" files (made once in $TMPDIR); the other three panes get the cells of
// 20,000 scanned rows, row by row as the scan hands them over, and in one batch.

#include "app/TFileListBox.h"
#include "app/TFormMain.h"
#include "app/TListPanes.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

using namespace kavio;

constexpr int Rows = 20000;

// The window, made in main() once the application object exists.
app::TFormMain* GForm = nullptr;
app::TFormMain& Form() { return *GForm; }

// A folder of ARows empty mail files, made on first use.
const QString& Folder() {
  static std::unique_ptr<QTemporaryDir> dir;
  if (!dir) {
    dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid()) throw std::runtime_error("no temporary folder");
    for (int i = 0; i < Rows; ++i) {
      QFile file(
          dir->filePath(QStringLiteral("Angebot Nr %1 vom Kunden.eml").arg((i * 7919) % Rows, 5, 10, QChar('0'))));
      if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the folder");
    }
  }
  static const QString path = dir->path();
  return path;
}

QList<rename::TPreviewRow> ScannedRows() {
  QList<rename::TPreviewRow> rows;
  rows.reserve(Rows);
  for (int i = 0; i < Rows; ++i) {
    rename::TPreviewRow row;
    row.OldTimeText = QStringLiteral("01.06.2020 12:%1:00").arg(i % 60, 2, 10, QChar('0'));
    row.NewName = QStringLiteral("20150203_Hans Müller_Angebot Nr %1 vom Kunden.eml").arg(i, 5, 10, QChar('0'));
    row.NewTimeText = QStringLiteral("03.02.2015 09:%1:00").arg(i % 60, 2, 10, QChar('0'));
    rows.append(row);
  }
  return rows;
}

// Lets the panes lay out and paints all four at once, as the screen would show them.
void LayOutAndPaint() {
  QApplication::processEvents();
  app::TListPanes& panes = *Form().Panes;
  for (QListWidget* pane : {static_cast<QListWidget*>(panes.FileListBox1), static_cast<QListWidget*>(panes.ListBox2),
                            static_cast<QListWidget*>(panes.ListBox3), static_cast<QListWidget*>(panes.ListBox4)})
    pane->viewport()->repaint();
}

// The name pane reads the folder and the others get ARows of their rows (all when ARows is
// Rows; fewer: the same table cut short, to compare).
void FillAll(int ARows) {
  app::TListPanes& panes = *Form().Panes;
  panes.FileListBox1->SetDirectory(Folder());
  for (int i = panes.FileListBox1->count() - 1; i >= ARows; --i) delete panes.FileListBox1->takeItem(i);
  panes.ClearDetails();
  panes.AppendRows(ScannedRows().mid(0, ARows));
  LayOutAndPaint();
}

// The name pane reads the folder: listing, sorting, the rows, the first layout and painting.
void BM_NamePaneReadsFolder(benchmark::State& AState) {
  app::TListPanes& panes = *Form().Panes;
  Folder();
  for (auto _ : AState) {
    panes.FileListBox1->SetDirectory(Folder());
    LayOutAndPaint();
  }
  if (panes.FileListBox1->count() != Rows) AState.SkipWithError("the name pane did not list every file");
  AState.counters["rows_per_second"] = benchmark::Counter(Rows, benchmark::Counter::kIsIterationInvariantRate);
}

// The other three panes get 20,000 rows: one row at a time as the scan hands them over
// (batch:0), or all in one call (batch:1).
void BM_DetailPanes(benchmark::State& AState) {
  app::TListPanes& panes = *Form().Panes;
  const QList<rename::TPreviewRow> rows = ScannedRows();
  const bool batch = AState.range(0) != 0;
  for (auto _ : AState) {
    panes.ClearDetails();
    if (batch)
      panes.AppendRows(rows);
    else
      for (const rename::TPreviewRow& row : rows) panes.AppendRow(row);
    LayOutAndPaint();
  }
  if (panes.ListBox4->count() != Rows) AState.SkipWithError("rows missing");
  AState.counters["rows_per_second"] = benchmark::Counter(Rows, benchmark::Counter::kIsIterationInvariantRate);
}

// One step of scrolling through the full table, with the painting of the four panes: a wheel
// turn at the last row in view (the selection moves one row and all four scroll by one), Page
// Down, or a jump of the thumb. At the end of the table it starts again at the top. Painted as
// Qt paints (what the step has changed), or with every row of the four panes painted anew (the
// worst case). The same with 500 rows shows whether a step costs more in a larger table.
enum TStep { WheelStep, PageDownStep, ThumbJump };

void BM_ScrollStep(benchmark::State& AState) {
  const int rows = static_cast<int>(AState.range(1));
  FillAll(rows);
  app::TListPanes& panes = *Form().Panes;
  QListWidget* pane = panes.ListBox2;
  const auto step = static_cast<TStep>(AState.range(0));
  const bool fullRepaint = AState.range(2) != 0;
  const int visible = pane->viewport()->height() / pane->visualRect(pane->model()->index(0, 0)).height();
  panes.SetListboxSelected(nullptr, visible - 1);
  pane->setCurrentRow(visible - 1);
  LayOutAndPaint();
  int thumb = 0;
  long long steps = 0;
  for (auto _ : AState) {
    switch (step) {
      case WheelStep: {
        const QPointF pos(10, 10);
        QWheelEvent wheel(pos, pane->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pane->viewport(), &wheel);
        break;
      }
      case PageDownStep: {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(pane, &key);
        break;
      }
      case ThumbJump:
        thumb = (thumb + 7919) % (pane->verticalScrollBar()->maximum() + 1);
        pane->verticalScrollBar()->setValue(thumb);
        break;
    }
    if (fullRepaint)
      LayOutAndPaint();
    else
      QApplication::processEvents();
    ++steps;
    if (pane->currentRow() >= rows - 1) {
      AState.PauseTiming();
      panes.SetListboxSelected(nullptr, visible - 1);
      pane->setCurrentRow(visible - 1);
      pane->verticalScrollBar()->setValue(0);
      LayOutAndPaint();
      AState.ResumeTiming();
    }
  }
  const int top = app::TListPanes::TopRow(pane);
  for (QListWidget* other : {static_cast<QListWidget*>(panes.FileListBox1), static_cast<QListWidget*>(panes.ListBox3),
                             static_cast<QListWidget*>(panes.ListBox4)})
    if (app::TListPanes::TopRow(other) != top) AState.SkipWithError("the panes show different rows");
  AState.counters["steps"] = static_cast<double>(steps);
}

BENCHMARK(BM_NamePaneReadsFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DetailPanes)->ArgName("batch")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScrollStep)
    ->ArgNames({"wheel0_page1_thumb2", "rows", "full_repaint"})
    ->ArgsProduct({{WheelStep, PageDownStep, ThumbJump}, {Rows, 500}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  auto form = std::make_unique<app::TFormMain>();
  form->show();
  QApplication::processEvents();
  GForm = form.get();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
