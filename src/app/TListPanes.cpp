#include "app/TListPanes.h"

#include "app/TFileListBox.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace kavio::app {

namespace {

// Rows of one fixed height with one line of text. A row is as wide as its pane: a text longer
// than that is cut off at the pane's edge, and no pane scrolls sideways, so that the four panes
// always have the same height of view and can show the same rows.
class TRowDelegate : public QStyledItemDelegate {
 public:
  TRowDelegate(int ARowHeight, QObject* AParent) : QStyledItemDelegate(AParent), FRowHeight(ARowHeight) {}

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {1, FRowHeight}; }

  // A file name may hold line breaks and other control characters; each shows as one mark, so
  // that the row stays one line.
  QString displayText(const QVariant& AValue, const QLocale& ALocale) const override {
    QString text = QStyledItemDelegate::displayText(AValue, ALocale);
    for (QChar& c : text)
      if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
        c = QChar::ReplacementCharacter;
    return text;
  }

 private:
  int FRowHeight;
};

}  // namespace

QSplitter* TListPanes::MakeHalf(QGroupBox* AGroup, const QString& ASplitterName) {
  auto* layout = new QHBoxLayout(AGroup);
  // The inner area of a group box: below its caption, inside its border.
  layout->setContentsMargins(FDpi(2), FDpi(15), FDpi(2), FDpi(2));
  auto* splitter = new QSplitter(Qt::Horizontal, AGroup);
  splitter->setObjectName(ASplitterName);
  splitter->setHandleWidth(FDpi(3));
  splitter->setChildrenCollapsible(false);
  layout->addWidget(splitter);
  return splitter;
}

TListBox* TListPanes::MakePane(TListBox* APane, const QString& AName) {
  APane->setObjectName(AName);
  APane->setSelectionMode(QAbstractItemView::SingleSelection);
  APane->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Row by row: the scroll bar's value is the index of the first visible row.
  APane->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  APane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  APane->setUniformItemSizes(true);
  APane->setWordWrap(false);
  APane->setTextElideMode(Qt::ElideNone);
  APane->setItemDelegate(new TRowDelegate(FDpi(13), APane));
  // A splitter leaves at least 30 pixels to the panes on either side.
  APane->setMinimumWidth(FDpi(30));
  return APane;
}

TListPanes::TListPanes(QWidget* APanel1, const TDpi& ADpi) : QObject(APanel1), Panel1(APanel1), FDpi(ADpi) {
  GroupBox2 = new QGroupBox(QStringLiteral("Original Dateinamen und -zeiten"), Panel1);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  Splitter1 = MakeHalf(GroupBox2, QStringLiteral("Splitter1"));
  FileListBox1 = new TFileListBox(Splitter1);
  MakePane(FileListBox1, QStringLiteral("FileListBox1"));
  ListBox2 = MakePane(new TListBox(Splitter1), QStringLiteral("ListBox2"));

  GroupBox3 = new QGroupBox(QStringLiteral("geänderte Dateinamen und -zeiten"), Panel1);
  GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
  Splitter2 = MakeHalf(GroupBox3, QStringLiteral("Splitter2"));
  ListBox3 = MakePane(new TListBox(Splitter2), QStringLiteral("ListBox3"));
  ListBox4 = MakePane(new TListBox(Splitter2), QStringLiteral("ListBox4"));

  // The time panes along the right edge, 140 wide; the name panes take what is left.
  for (QSplitter* splitter : {Splitter1, Splitter2}) {
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    // Half of the designed panel, less the group's border and the splitter's handle.
    splitter->setSizes({FDpi(509 - 4 - 3 - 140), FDpi(140)});
  }
  connect(Splitter1, &QSplitter::splitterMoved, this, [this] { Splitter1Moved(); });
  connect(Splitter2, &QSplitter::splitterMoved, this, [this] { Splitter2Moved(); });
  Panel1->installEventFilter(this);
  Panel1Resize();
  LinkPanes();
}

void TListPanes::LinkPanes() {
  // The order in which the other panes are aligned has no visible effect.
  FLinks = {{
      {FileListBox1, {ListBox2, ListBox3, ListBox4}, &TListPanes::ListBox1WndProc, &TListPanes::FileListBox1Click},
      {ListBox2, {FileListBox1, ListBox3, ListBox4}, &TListPanes::ListBox2WndProc, &TListPanes::ListBox2Click},
      {ListBox3, {ListBox2, ListBox4, FileListBox1}, &TListPanes::ListBox3WndProc, &TListPanes::ListBox3Click},
      {ListBox4, {ListBox2, ListBox3, FileListBox1}, &TListPanes::ListBox4WndProc, &TListPanes::ListBox4Click},
  }};
  for (const TPaneLink& link : FLinks) {
    QScrollBar* bar = link.Pane->verticalScrollBar();
    // Whatever moved the view, the others follow at once.
    connect(bar, &QScrollBar::valueChanged, this, [this, &link] { AlignOthers(link); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, &link] { CatchUp(link); });
    // Every change of the selection that the user makes; none that the program makes.
    connect(link.Pane->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, &link] {
      if (link.Pane->InUserInput()) (this->*link.Click)();
    });
    // Wheel events reach the viewport or the scroll bar, keys the pane itself.
    for (QObject* watched :
         {static_cast<QObject*>(link.Pane), static_cast<QObject*>(link.Pane->viewport()), static_cast<QObject*>(bar)})
      watched->installEventFilter(this);
  }
}

const TListPanes::TPaneLink* TListPanes::LinkOf(const QObject* AWatched) const {
  for (const TPaneLink& link : FLinks)
    if (AWatched == link.Pane || AWatched == link.Pane->viewport() || AWatched == link.Pane->verticalScrollBar())
      return &link;
  return nullptr;
}

bool TListPanes::eventFilter(QObject* AWatched, QEvent* AEvent) {
  if (AWatched == Panel1) {
    if (AEvent->type() == QEvent::Resize) Panel1Resize();
    return false;
  }
  if (const TPaneLink* link = LinkOf(AWatched)) return (this->*link->WndProc)(AEvent);
  return false;
}

bool TListPanes::ListBox1WndProc(QEvent* AMsg) { return PaneWndProc(FLinks[0], AMsg); }
bool TListPanes::ListBox2WndProc(QEvent* AMsg) { return PaneWndProc(FLinks[1], AMsg); }
bool TListPanes::ListBox3WndProc(QEvent* AMsg) { return PaneWndProc(FLinks[2], AMsg); }
bool TListPanes::ListBox4WndProc(QEvent* AMsg) { return PaneWndProc(FLinks[3], AMsg); }

bool TListPanes::PaneWndProc(const TPaneLink& ALink, QEvent* AMsg) {
  if (AMsg->type() != QEvent::Wheel) return false;
  const auto* wheel = static_cast<const QWheelEvent*>(AMsg);
  // The start and the end of a touchpad gesture carry no distance and are no turn.
  if (wheel->phase() == Qt::ScrollBegin || wheel->phase() == Qt::ScrollEnd) return true;
  QPoint distance = wheel->angleDelta();
  if (distance.isNull()) distance = wheel->pixelDelta();
  // A wheel that only turns sideways: the panes do not scroll sideways.
  if (distance.y() == 0 && distance.x() != 0) return true;
  // One row per wheel message, whatever its distance: the pane handles it as an arrow key.
  QKeyEvent key(QEvent::KeyPress, distance.y() > 0 ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(ALink.Pane, &key);
  return true;
}

void TListPanes::AlignOthers(const TPaneLink& ALink) {
  if (FAligning) return;
  QScopedValueRollback<bool> aligning(FAligning, true);
  FTopRow = TopRow(ALink.Pane);
  for (QListWidget* other : ALink.Others)
    if (TopRow(other) != FTopRow) other->verticalScrollBar()->setValue(FTopRow);
}

void TListPanes::CatchUp(const TPaneLink& ALink) {
  if (FAligning) return;
  // Only a pane that now has rows enough to come nearer; one whose rows were taken away moves
  // back by itself, and the others follow it.
  QScrollBar* bar = ALink.Pane->verticalScrollBar();
  if (bar->value() >= FTopRow || bar->value() >= bar->maximum()) return;
  QScopedValueRollback<bool> aligning(FAligning, true);
  bar->setValue(qMin(FTopRow, bar->maximum()));
}

int TListPanes::TopRow(const QListWidget* APane) { return APane->verticalScrollBar()->value(); }

int TListPanes::SelectedRow(const QListWidget* APane) {
  const QModelIndexList rows = APane->selectionModel()->selectedIndexes();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void TListPanes::FileListBox1Click() { SetListboxSelected(FileListBox1, SelectedRow(FileListBox1)); }
void TListPanes::ListBox2Click() { SetListboxSelected(ListBox2, SelectedRow(ListBox2)); }
void TListPanes::ListBox3Click() { SetListboxSelected(ListBox3, SelectedRow(ListBox3)); }
void TListPanes::ListBox4Click() { SetListboxSelected(ListBox4, SelectedRow(ListBox4)); }

void TListPanes::SetListboxSelected(QListWidget* ASender, int ASelectedIndex) {
  if (ASelectedIndex < 0) return;
  for (TListBox* pane : {static_cast<TListBox*>(FileListBox1), ListBox2, ListBox3, ListBox4})
    if (pane != ASender && pane->count() > ASelectedIndex) pane->setCurrentRow(ASelectedIndex);
}

void TListPanes::Panel1Resize() {
  const int half = Panel1->width() / 2;
  GroupBox2->setGeometry(0, 0, half, Panel1->height());
  GroupBox3->setGeometry(half, 0, Panel1->width() - half, Panel1->height());
}

void TListPanes::SetTimeWidth(QSplitter* ASplitter, int AWidth) {
  const QList<int> sizes = ASplitter->sizes();
  ASplitter->setSizes({sizes[0] + sizes[1] - AWidth, AWidth});
}

void TListPanes::Splitter1Moved() { SetTimeWidth(Splitter2, ListBox2->width()); }
void TListPanes::Splitter2Moved() { SetTimeWidth(Splitter1, ListBox4->width()); }

void TListPanes::ClearDetails() {
  ListBox2->clear();
  ListBox3->clear();
  ListBox4->clear();
}

void TListPanes::AppendRow(const rename::TPreviewRow& ARow) {
  ListBox2->addItem(ARow.OldTimeText);
  ListBox3->addItem(ARow.NewName);
  ListBox4->addItem(ARow.NewTimeText);
}

void TListPanes::ClearNewColumns() {
  ListBox3->clear();
  ListBox4->clear();
}

void TListPanes::AppendNewName(const QString& AName) { ListBox3->addItem(AName); }

void TListPanes::AppendRows(const QList<rename::TPreviewRow>& ARows) {
  QStringList oldTimes, newNames, newTimes;
  oldTimes.reserve(ARows.size());
  newNames.reserve(ARows.size());
  newTimes.reserve(ARows.size());
  for (const rename::TPreviewRow& row : ARows) {
    oldTimes.append(row.OldTimeText);
    newNames.append(row.NewName);
    newTimes.append(row.NewTimeText);
  }
  ListBox2->addItems(oldTimes);
  ListBox3->addItems(newNames);
  ListBox4->addItems(newTimes);
}

}  // namespace kavio::app
