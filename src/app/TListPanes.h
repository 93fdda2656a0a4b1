#pragma once
// The four list panes of the main window, which read as one table: the name pane FileListBox1
// and the current-time pane ListBox2 in GroupBox2, the new-name pane ListBox3 and the new-time
// pane ListBox4 in GroupBox3, side by side in Panel1. Row i of each belongs to the file in row i
// of the name pane.
//
// The panes scroll together: whatever moves one pane's view (wheel, arrow keys, Page Up/Down,
// scroll-bar clicks, thumb drags, selecting by program) brings the other three to the same top
// row at once. Selecting a row in one pane selects the same row in the others.

#include "app/Dpi.h"
#include "app/TListBox.h"
#include "rename/PreviewScan.h"

#include <QGroupBox>
#include <QList>
#include <QObject>
#include <QSplitter>
#include <array>

namespace kavio::app {

class TFileListBox;

class TListPanes : public QObject {
 public:
  // Builds the panes inside APanel1.
  TListPanes(QWidget* APanel1, const TDpi& ADpi);

  // Empties ListBox2, ListBox3 and ListBox4.
  void ClearDetails();
  // Appends the cells of a scanned row to ListBox2, ListBox3 and ListBox4. The rows show at
  // once, so a dialog of the scan shows the rows read before it.
  void AppendRow(const rename::TPreviewRow& ARow);
  // During an apply run: ListBox3 and ListBox4 emptied, then ListBox3 refilled file by file.
  void ClearNewColumns();
  void AppendNewName(const QString& AName);
  // The same for many rows at a time.
  void AppendRows(const QList<rename::TPreviewRow>& ARows);

  // Selection handlers: the user has changed the selected row of that pane.
  void FileListBox1Click();
  void ListBox2Click();
  void ListBox3Click();
  void ListBox4Click();
  // Selects row ASelectedIndex in every pane but ASender that has such a row; -1 (no row
  // selected) changes nothing. Selecting by program fires no selection handler: those fire only
  // for changes the user makes with the mouse or the keyboard.
  void SetListboxSelected(QListWidget* ASender, int ASelectedIndex);

  // The two halves share the width of Panel1.
  void Panel1Resize();
  // The two time panes keep equal widths: the one the user moved sets the other.
  void Splitter1Moved();
  void Splitter2Moved();

  // The event filters of the four panes (installed on the pane, its viewport and its vertical
  // scroll bar). A vertical wheel turn becomes one press of the Up arrow (turned away from the
  // user) or the Down arrow (towards the user, or a distance of 0), whatever its distance; the
  // pane then moves its selected row, and the others follow. True: the event is consumed.
  bool ListBox1WndProc(QEvent* AMsg);
  bool ListBox2WndProc(QEvent* AMsg);
  bool ListBox3WndProc(QEvent* AMsg);
  bool ListBox4WndProc(QEvent* AMsg);

  // The index of the first visible row of a pane.
  static int TopRow(const QListWidget* APane);
  // The index of the selected row of a pane, -1 when none is selected.
  static int SelectedRow(const QListWidget* APane);

  QWidget* Panel1;
  QGroupBox* GroupBox2;
  QSplitter* Splitter1;
  TFileListBox* FileListBox1;
  TListBox* ListBox2;
  QGroupBox* GroupBox3;
  QSplitter* Splitter2;
  TListBox* ListBox3;
  TListBox* ListBox4;

 protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

 private:
  // A pane and the other three in the order in which they are aligned to it.
  struct TPaneLink {
    TListBox* Pane;
    std::array<TListBox*, 3> Others;
    bool (TListPanes::*WndProc)(QEvent*);
    void (TListPanes::*Click)();
  };

  QSplitter* MakeHalf(QGroupBox* AGroup, const QString& ASplitterName);
  TListBox* MakePane(TListBox* APane, const QString& AName);
  void LinkPanes();
  const TPaneLink* LinkOf(const QObject* AWatched) const;
  bool PaneWndProc(const TPaneLink& ALink, QEvent* AMsg);
  // Brings the other panes to the top row of ALink's pane.
  void AlignOthers(const TPaneLink& ALink);
  // A pane's row count has changed: it follows the table's top row again as far as it can.
  void CatchUp(const TPaneLink& ALink);
  static void SetTimeWidth(QSplitter* ASplitter, int AWidth);

  TDpi FDpi;
  std::array<TPaneLink, 4> FLinks{};
  // The top row the panes were last aligned to.
  int FTopRow = 0;
  bool FAligning = false;
};

}  // namespace kavio::app
