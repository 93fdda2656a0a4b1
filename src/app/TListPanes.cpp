#include "app/TListPanes.h"

#include "app/TFileListBox.h"

#include <QEvent>
#include <QHBoxLayout>

namespace kavio::app {

namespace {

QListWidget* MakePane(QListWidget* APane, const QString& AName) {
  APane->setObjectName(AName);
  APane->setSelectionMode(QAbstractItemView::SingleSelection);
  APane->setUniformItemSizes(true);
  APane->setTextElideMode(Qt::ElideNone);
  return APane;
}

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

TListPanes::TListPanes(QWidget* APanel1, const TDpi& ADpi) : QObject(APanel1), Panel1(APanel1), FDpi(ADpi) {
  GroupBox2 = new QGroupBox(QStringLiteral("Original Dateinamen und -zeiten"), Panel1);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  Splitter1 = MakeHalf(GroupBox2, QStringLiteral("Splitter1"));
  FileListBox1 = new TFileListBox(Splitter1);
  MakePane(FileListBox1, QStringLiteral("FileListBox1"));
  ListBox2 = MakePane(new QListWidget(Splitter1), QStringLiteral("ListBox2"));

  GroupBox3 = new QGroupBox(QStringLiteral("geänderte Dateinamen und -zeiten"), Panel1);
  GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
  Splitter2 = MakeHalf(GroupBox3, QStringLiteral("Splitter2"));
  ListBox3 = MakePane(new QListWidget(Splitter2), QStringLiteral("ListBox3"));
  ListBox4 = MakePane(new QListWidget(Splitter2), QStringLiteral("ListBox4"));

  // The time panes along the right edge, 140 wide; the name panes take what is left.
  for (QSplitter* splitter : {Splitter1, Splitter2}) {
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    // Half of the designed panel, less the group's border and the splitter's handle.
    splitter->setSizes({FDpi(509 - 4 - 3 - 140), FDpi(140)});
  }
  Panel1->installEventFilter(this);
  Panel1Resize();
}

void TListPanes::Panel1Resize() {
  const int half = Panel1->width() / 2;
  GroupBox2->setGeometry(0, 0, half, Panel1->height());
  GroupBox3->setGeometry(half, 0, Panel1->width() - half, Panel1->height());
}

bool TListPanes::eventFilter(QObject* AWatched, QEvent* AEvent) {
  if (AWatched == Panel1 && AEvent->type() == QEvent::Resize) Panel1Resize();
  return false;
}

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

}  // namespace kavio::app
