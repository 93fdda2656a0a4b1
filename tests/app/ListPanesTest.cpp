// The four list panes as one table: scrolling together with the wheel, the keyboard and the
// scroll bar; selecting together; the widths of the two halves and of the time panes.

#include "AppTestSupport.h"
#include "app/TFileListBox.h"
#include "app/TListPanes.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QWheelEvent>

using namespace kavio;

namespace {

const char* const PaneNames[] = {"FileListBox1", "ListBox2", "ListBox3", "ListBox4"};

class PanesTest : public test::FormMainTest {
 public:
  app::TListPanes& Panes() { return *Form.Panes; }

  // Rows "<pane> <i>" in each pane; ARows[k] rows in pane k.
  void Fill(std::array<int, 4> ARows) {
    for (int k = 0; k < 4; ++k) {
      QStringList rows;
      for (int i = 0; i < ARows[k]; ++i) rows.append(QStringLiteral("%1 %2").arg(PaneNames[k]).arg(i));
      Pane(PaneNames[k])->addItems(rows);
    }
    Settle();
  }
  void Fill(int ARows) { Fill({ARows, ARows, ARows, ARows}); }
  // Lets the panes lay out their rows, as the event loop does after a scan.
  static void Settle() { QApplication::processEvents(); }

  // The row shown at the top of a pane, as the user sees it.
  int Top(const char* AName) {
    QListWidget* pane = Pane(AName);
    return pane->indexAt(QPoint(2, 2)).row();
  }
  std::array<int, 4> Tops() { return {Top("FileListBox1"), Top("ListBox2"), Top("ListBox3"), Top("ListBox4")}; }
  std::array<int, 4> Selected() {
    std::array<int, 4> rows{};
    for (int k = 0; k < 4; ++k) rows[k] = app::TListPanes::SelectedRow(Pane(PaneNames[k]));
    return rows;
  }
  int VisibleRows(const char* AName) {
    QListWidget* pane = Pane(AName);
    return pane->viewport()->height() / pane->visualRect(pane->model()->index(0, 0)).height();
  }

  void ClickRow(const char* AName, int ARow, Qt::KeyboardModifiers AModifiers = {}) {
    QListWidget* pane = Pane(AName);
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, AModifiers,
                      pane->visualRect(pane->model()->index(ARow, 0)).center());
  }
  void Wheel(QWidget* ATarget, QPoint AAngle, Qt::ScrollPhase APhase = Qt::NoScrollPhase) {
    const QPointF pos(ATarget->width() / 2.0, ATarget->height() / 2.0);
    QWheelEvent wheel(pos, ATarget->mapToGlobal(pos), QPoint(), AAngle, Qt::NoButton, Qt::NoModifier, APhase, false);
    QApplication::sendEvent(ATarget, &wheel);
  }
  // Drags with the left button held from AFrom by ABy, in ASteps moves (AWidget stays put).
  static void Drag(QWidget* AWidget, QPoint AFrom, QPoint ABy, int ASteps = 1) {
    QTest::mousePress(AWidget, Qt::LeftButton, {}, AFrom);
    for (int step = 1; step <= ASteps; ++step) QTest::mouseMove(AWidget, AFrom + ABy * step / ASteps);
    QTest::mouseRelease(AWidget, Qt::LeftButton, {}, AFrom + ABy);
  }
  // Where the parts of a scroll bar lie.
  static QRect ScrollBarPart(QScrollBar* ABar, QStyle::SubControl APart) {
    QStyleOptionSlider option;
    option.initFrom(ABar);
    option.subControls = QStyle::SC_All;
    option.orientation = ABar->orientation();
    option.minimum = ABar->minimum();
    option.maximum = ABar->maximum();
    option.sliderPosition = ABar->sliderPosition();
    option.sliderValue = ABar->value();
    option.singleStep = ABar->singleStep();
    option.pageStep = ABar->pageStep();
    return ABar->style()->subControlRect(QStyle::CC_ScrollBar, &option, APart, ABar);
  }
};

std::array<int, 4> All(int AValue) { return {AValue, AValue, AValue, AValue}; }

}  // namespace

TEST_F(PanesTest, RowsOfOneLineAndFixedHeightOneSelectedAtATime) {
  Fill(3);
  const QString longName = QString(300, QLatin1Char('x')) + QStringLiteral(".eml");
  Pane("ListBox3")->addItem(longName);
  Pane("ListBox3")->addItem(QStringLiteral("zwei\nZeilen.eml"));
  Settle();
  for (const char* name : PaneNames) {
    SCOPED_TRACE(name);
    QListWidget* pane = Pane(name);
    EXPECT_EQ(pane->visualRect(pane->model()->index(0, 0)).height(), Form.Dpi()(13));
    EXPECT_EQ(pane->selectionMode(), QAbstractItemView::SingleSelection);
    // No pane scrolls sideways, so all four keep the same height of view.
    EXPECT_EQ(pane->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(pane->viewport()->height(), Pane("FileListBox1")->viewport()->height());
  }
  // A line break in a name shows as one mark.
  auto* delegate = qobject_cast<QStyledItemDelegate*>(Pane("ListBox3")->itemDelegate());
  ASSERT_NE(delegate, nullptr);
  EXPECT_EQ(delegate->displayText(QStringLiteral("zwei\nZeilen.eml"), QLocale()),
            QStringLiteral("zwei\uFFFDZeilen.eml"));
  EXPECT_EQ(Pane("ListBox3")->visualRect(Pane("ListBox3")->model()->index(4, 0)).height(), Form.Dpi()(13));
}

TEST_F(PanesTest, WheelMovesTheSelectedRowOfAllFourByOneRow) {
  struct TCase {
    const char* Name;
    const char* Over;  // the pane the wheel turns over
    bool OverScrollBar;
    QPoint Angle;
    Qt::ScrollPhase Phase;
    int Expected;  // selected row after one wheel message, from row 10
  };
  const TCase cases[] = {
      {"away_from_the_user_up", "ListBox3", false, {0, 120}, Qt::NoScrollPhase, 9},
      {"towards_the_user_down", "FileListBox1", false, {0, -120}, Qt::NoScrollPhase, 11},
      {"distance_0_down", "ListBox4", false, {0, 0}, Qt::NoScrollPhase, 11},
      {"large_distance_still_one_row", "ListBox2", false, {0, 960}, Qt::NoScrollPhase, 9},
      {"small_touchpad_step_one_row", "ListBox2", false, {0, -8}, Qt::ScrollUpdate, 11},
      {"over_the_scroll_bar", "ListBox2", true, {0, -120}, Qt::NoScrollPhase, 11},
      {"gesture_end_is_no_turn", "ListBox3", false, {0, 0}, Qt::ScrollEnd, 10},
      {"sideways_only_is_no_turn", "ListBox3", false, {120, 0}, Qt::NoScrollPhase, 10},
  };
  Fill(100);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Panes().SetListboxSelected(nullptr, 10);
    ASSERT_EQ(Selected(), All(10));
    QListWidget* pane = Pane(c.Over);
    Wheel(c.OverScrollBar ? static_cast<QWidget*>(pane->verticalScrollBar()) : pane->viewport(), c.Angle, c.Phase);
    EXPECT_EQ(Selected(), All(c.Expected));
    // Not scrolled by lines: row 10 was in view, so the view stays.
    EXPECT_EQ(Tops(), All(0));
  }

  // At the last row in view the next turn towards the user scrolls all four by one row.
  const int last = VisibleRows("ListBox2") - 1;
  Panes().SetListboxSelected(nullptr, last);
  Wheel(Pane("ListBox2")->viewport(), {0, -120});
  EXPECT_EQ(Selected(), All(last + 1));
  EXPECT_EQ(Tops(), All(1));
}

TEST_F(PanesTest, KeysAndScrollBarKeepTheFourOnOneTopRow) {
  struct TCase {
    const char* Name;
    const char* Pane;
    std::function<void(PanesTest&, QListWidget*)> Act;
  };
  const TCase cases[] = {
      {"page_down_twice", "FileListBox1",
       [](PanesTest&, QListWidget* p) {
         QTest::keyClick(p, Qt::Key_PageDown);
         QTest::keyClick(p, Qt::Key_PageDown);
       }},
      {"page_up_after_end", "ListBox3",
       [](PanesTest&, QListWidget* p) {
         QTest::keyClick(p, Qt::Key_End);
         QTest::keyClick(p, Qt::Key_PageUp);
       }},
      {"arrow_down_past_the_last_row_in_view", "ListBox4",
       [](PanesTest& t, QListWidget* p) {
         p->setFocus();
         for (int i = 0; i < t.VisibleRows("ListBox4") + 5; ++i) QTest::keyClick(p, Qt::Key_Down);
       }},
      {"click_below_the_thumb", "ListBox3",
       [](PanesTest&, QListWidget* p) {
         QScrollBar* bar = p->verticalScrollBar();
         const QRect page = ScrollBarPart(bar, QStyle::SC_ScrollBarAddPage);
         QTest::mouseClick(bar, Qt::LeftButton, {}, page.center());
       }},
      {"click_on_the_down_arrow", "FileListBox1",
       [](PanesTest&, QListWidget* p) {
         QScrollBar* bar = p->verticalScrollBar();
         QTest::mouseClick(bar, Qt::LeftButton, {}, ScrollBarPart(bar, QStyle::SC_ScrollBarAddLine).center());
       }},
      {"thumb_drag", "ListBox2",
       [](PanesTest&, QListWidget* p) {
         QScrollBar* bar = p->verticalScrollBar();
         Drag(bar, ScrollBarPart(bar, QStyle::SC_ScrollBarSlider).center(), {0, bar->height() / 3}, 4);
       }},
  };
  Fill(500);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Panes().SetListboxSelected(nullptr, 0);
    Pane("ListBox2")->verticalScrollBar()->setValue(0);
    ASSERT_EQ(Tops(), All(0));
    c.Act(*this, Pane(c.Pane));
    const int top = Top(c.Pane);
    EXPECT_GT(top, 0);
    EXPECT_EQ(Tops(), All(top));
  }
}

TEST_F(PanesTest, ThumbDragOnListBox2MovesAllFourWhileDragging) {
  Fill(2000);
  QScrollBar* bar = Pane("ListBox2")->verticalScrollBar();
  const QPoint thumb = ScrollBarPart(bar, QStyle::SC_ScrollBarSlider).center();
  QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(bar, thumb + QPoint(0, bar->height() / 4));
  // Still held: the others have followed already.
  const int top = Top("ListBox2");
  EXPECT_GT(top, 0);
  EXPECT_EQ(Tops(), All(top));
  QTest::mouseMove(bar, thumb + QPoint(0, bar->height() / 2));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(0, bar->height() / 2));
  EXPECT_GT(Top("ListBox2"), top);
  EXPECT_EQ(Tops(), All(Top("ListBox2")));
}

TEST_F(PanesTest, AShortPaneFollowsAsFarAsItCanAndCatchesUpWhenItsRowsCome) {
  Fill({300, 300, 300, 10});
  Pane("ListBox3")->verticalScrollBar()->setValue(100);
  EXPECT_EQ(Top("FileListBox1"), 100);
  EXPECT_EQ(Top("ListBox2"), 100);
  EXPECT_EQ(Top("ListBox4"), 0);  // ten rows: nothing to scroll
  // The rest of its rows arrive, as during a scan.
  QStringList rest;
  for (int i = 10; i < 300; ++i) rest.append(QString::number(i));
  Pane("ListBox4")->addItems(rest);
  Settle();
  EXPECT_EQ(Tops(), All(100));
}

TEST_F(PanesTest, ARescanKeepsTheFourOnOneTopRow) {
  QTemporaryDir dir;
  for (int i = 0; i < 400; ++i)
    test::WriteFile(dir.path(), QStringLiteral("m%1.eml").arg(i, 3, 10, QChar('0')),
                    "From: a@b.de\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n\r\nText\r\n");
  Control<QLineEdit>("JvDirectoryEditSrc")->setText(dir.path());
  Settle();
  ASSERT_EQ(Pane("ListBox4")->count(), 400);
  Pane("ListBox3")->verticalScrollBar()->setValue(300);
  ASSERT_EQ(Tops(), All(300));
  // The option refills all four panes.
  Control<QCheckBox>("CheckBoxPreString")->click();
  Settle();
  EXPECT_EQ(Pane("ListBox3")->item(0)->text(), "20150203_m000.eml");
  const int top = Top("FileListBox1");
  EXPECT_EQ(Tops(), All(top));
  // A folder with fewer files.
  for (int i = 100; i < 400; ++i) QFile::remove(dir.filePath(QStringLiteral("m%1.eml").arg(i, 3, 10, QChar('0'))));
  Form.ReadFiles();
  Settle();
  ASSERT_EQ(Pane("ListBox4")->count(), 100);
  EXPECT_EQ(Tops(), All(Top("FileListBox1")));
}

TEST_F(PanesTest, ClickingRow5OfListBox3SelectsRow5WhereThereIsOne) {
  Fill({10, 10, 10, 4});
  Pane("ListBox4")->setCurrentRow(1);  // by the program: the others stay as they are
  EXPECT_EQ(Selected(), (std::array<int, 4>{-1, -1, -1, 1}));
  ClickRow("ListBox3", 5);
  // ListBox4 has too few rows and keeps its selection.
  EXPECT_EQ(Selected(), (std::array<int, 4>{5, 5, 5, 1}));
  // The keyboard moves all four alike.
  QTest::keyClick(Pane("FileListBox1"), Qt::Key_Up);
  EXPECT_EQ(Selected(), (std::array<int, 4>{4, 4, 4, 1}));
  ClickRow("ListBox4", 2);
  EXPECT_EQ(Selected(), All(2));
}

TEST_F(PanesTest, ASelectionChangeToNoneChangesNothing) {
  Fill(10);
  ClickRow("ListBox2", 3);
  ASSERT_EQ(Selected(), All(3));
  // Ctrl and a click on the selected row leave that pane without a selection.
  ClickRow("ListBox2", 3, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (std::array<int, 4>{3, -1, 3, 3}));
  Panes().SetListboxSelected(Pane("FileListBox1"), -1);
  EXPECT_EQ(Selected(), (std::array<int, 4>{3, -1, 3, 3}));
}

TEST_F(PanesTest, SelectingByProgramScrollsTheRowIntoView) {
  Fill(400);
  Panes().SetListboxSelected(Pane("ListBox4"), 250);
  EXPECT_EQ(Selected(), (std::array<int, 4>{250, 250, 250, -1}));
  const int top = Top("FileListBox1");
  EXPECT_GT(top, 250 - VisibleRows("FileListBox1"));
  EXPECT_LE(top, 250);
  EXPECT_EQ(Tops(), All(top));
}

TEST_F(PanesTest, TheHalvesShareThePanelRoundedTowardZero) {
  struct TCase {
    int Panel1Width, GroupBox2Width;
  };
  for (const TCase& c : {TCase{893, 446}, TCase{894, 447}, TCase{1018, 509}}) {
    SCOPED_TRACE(c.Panel1Width);
    Form.resize(c.Panel1Width, Form.height());
    Settle();
    ASSERT_EQ(Control("Panel1")->width(), c.Panel1Width);
    EXPECT_EQ(Control("GroupBox2")->geometry(), QRect(0, 0, c.GroupBox2Width, Control("Panel1")->height()));
    EXPECT_EQ(Control("GroupBox3")->geometry(),
              QRect(c.GroupBox2Width, 0, c.Panel1Width - c.GroupBox2Width, Control("Panel1")->height()));
  }
}

TEST_F(PanesTest, MovingASplitterGivesBothTimePanesItsWidth) {
  const app::TDpi& S = Form.Dpi();
  auto* splitter1 = Control<QSplitter>("Splitter1");
  auto* splitter2 = Control<QSplitter>("Splitter2");
  auto dragHandle = [](QSplitter* ASplitter, int ABy) {
    QSplitterHandle* handle = ASplitter->handle(1);
    Drag(handle, handle->rect().center(), {ABy, 0});
  };
  auto moveTo = [](QSplitter* ASplitter, int ATimeWidth) {
    const QList<int> sizes = ASplitter->sizes();
    ASplitter->setSizes({sizes[0] + sizes[1] - ATimeWidth, ATimeWidth});
  };
  ASSERT_EQ(Control("ListBox2")->width(), S(140));
  ASSERT_EQ(Control("ListBox4")->width(), S(140));

  // Splitter1 so that ListBox2 is 200 wide, then Splitter2 so that ListBox4 is 160 wide.
  moveTo(splitter1, 200);
  Panes().Splitter1Moved();
  EXPECT_EQ(Control("ListBox2")->width(), 200);
  EXPECT_EQ(Control("ListBox4")->width(), 200);
  moveTo(splitter2, 160);
  Panes().Splitter2Moved();
  EXPECT_EQ(Control("ListBox4")->width(), 160);
  EXPECT_EQ(Control("ListBox2")->width(), 160);

  // The same when the user drags a handle.
  dragHandle(splitter1, -S(50));
  EXPECT_GT(Control("ListBox2")->width(), 160 + S(40));
  EXPECT_EQ(Control("ListBox4")->width(), Control("ListBox2")->width());
  const int dragged = Control("ListBox4")->width();
  dragHandle(splitter2, S(20));
  EXPECT_LT(Control("ListBox4")->width(), dragged - S(10));
  EXPECT_EQ(Control("ListBox2")->width(), Control("ListBox4")->width());

  // The splitters leave at least 30 pixels on either side.
  dragHandle(splitter1, S(1000));
  EXPECT_EQ(Control("ListBox2")->width(), S(30));
  EXPECT_EQ(Control("ListBox4")->width(), S(30));
  dragHandle(splitter2, -S(1000));
  EXPECT_EQ(Control("ListBox3")->width(), S(30));
  EXPECT_EQ(Control("ListBox2")->width(), Control("ListBox4")->width());
  EXPECT_EQ(Control("FileListBox1")->width(), S(30));
}
