#pragma once
// The four list panes of the main window, which read as one table: the name pane FileListBox1
// and the current-time pane ListBox2 in GroupBox2, the new-name pane ListBox3 and the new-time
// pane ListBox4 in GroupBox3, side by side in Panel1. Row i of each belongs to the file in row i
// of the name pane.

#include "app/Dpi.h"
#include "rename/PreviewScan.h"

#include <QGroupBox>
#include <QListWidget>
#include <QObject>
#include <QSplitter>

namespace kavio::app {

class TFileListBox;

class TListPanes : public QObject {
 public:
  // Builds the panes inside APanel1.
  TListPanes(QWidget* APanel1, const TDpi& ADpi);

  // Empties ListBox2, ListBox3 and ListBox4.
  void ClearDetails();
  // Appends the cells of a scanned row to ListBox2, ListBox3 and ListBox4.
  void AppendRow(const rename::TPreviewRow& ARow);
  // During an apply run: ListBox3 and ListBox4 emptied, then ListBox3 refilled file by file.
  void ClearNewColumns();
  void AppendNewName(const QString& AName);

  // The two halves share the width of Panel1.
  void Panel1Resize();

  QWidget* Panel1;
  QGroupBox* GroupBox2;
  QSplitter* Splitter1;
  TFileListBox* FileListBox1;
  QListWidget* ListBox2;
  QGroupBox* GroupBox3;
  QSplitter* Splitter2;
  QListWidget* ListBox3;
  QListWidget* ListBox4;

 protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

 private:
  QSplitter* MakeHalf(QGroupBox* AGroup, const QString& ASplitterName);
  TDpi FDpi;
};

}  // namespace kavio::app
