#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "gui/cut_position/cut_diagram.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

// Rows of column x that carry exactly the given colour.
std::vector<int> rowsOfColour(const QImage& image, int x, const QColor& colour) {
  std::vector<int> rows;
  for (int y = 0; y < image.height(); ++y) {
    if (image.pixelColor(x, y) == colour) {
      rows.push_back(y);
    }
  }
  return rows;
}

class CutDiagramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    diagram = std::make_unique<CutDiagram>();
    diagram->move(40, 40);
    diagram->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(diagram.get()));
  }
  QObject* line() const { return diagram->findChild<QObject*>(QStringLiteral("Line1")); }

  std::unique_ptr<CutDiagram> diagram;
};

TEST_F(CutDiagramTest, HasTheFixedSizeThePictureAndTheLineAtTheNominalCut) {
  EXPECT_EQ(diagram->size(), QSize(130, 101));
  EXPECT_EQ(diagram->objectName(), QStringLiteral("Picture1"));
  const QImage picture(QStringLiteral(":/cut_diagram.png"));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(130, 101));

  ASSERT_NE(line(), nullptr);
  EXPECT_EQ(diagram->lineY(), 20.5f);
  EXPECT_EQ(line()->property("y1").toFloat(), 20.5f);
  EXPECT_EQ(line()->property("y2").toFloat(), 20.5f);
  EXPECT_EQ(line()->property("color").value<QColor>(), kGrey);
  EXPECT_FALSE(diagram->adjusterOn());
}

// The black mark in the picture has to sit where the line at the nominal cut is drawn.
TEST_F(CutDiagramTest, PictureShowsTheBlackMarkAtTheNominalCut) {
  const QImage picture =
      QImage(QStringLiteral(":/cut_diagram.png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(picture.isNull());
  const int x = 115;  // inside the bar, just left of the right edge
  const std::vector<int> black = rowsOfColour(picture, x, Qt::black);
  ASSERT_FALSE(black.empty());
  EXPECT_LE(black.front(), 38);
  EXPECT_GE(black.back(), 38);
  EXPECT_LE(black.back() - black.front(), 5);
  EXPECT_EQ(picture.pixelColor(x, 60), QColor(Qt::white));  // the mark is short, not a stripe
}

TEST_F(CutDiagramTest, LineIsDrawnOnThePixelRowOfItsHeight) {
  diagram->setAdjusterOn(true);
  const struct {
    float y;
    int row;
  } cases[] = {
      {20.5f, 38}, {10.5f, 19}, {52.25f, 96}, {30.6f, 56},  {30.5f, 56}, {0.0f, 0},
      {27.5f, 51}, {27.0f, 50}, {54.9f, 100}, {55.0f, 100}, {-1.0f, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.y);
    diagram->setLineY(c.y);
    EXPECT_EQ(diagram->lineY(), c.y);
    EXPECT_EQ(line()->property("y1").toFloat(), c.y);
    EXPECT_EQ(line()->property("y2").toFloat(), c.y);
    const QImage shot = diagram->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int x : {0, 64, 129}) {  // the line runs across the full width
      EXPECT_EQ(rowsOfColour(shot, x, kRed), std::vector<int>{c.row}) << "column " << x;
    }
  }
}

TEST_F(CutDiagramTest, LineIsRedWhileOnAndGreyWhileOffAtTheSameHeight) {
  diagram->setLineY(30.5f);
  const struct {
    bool on;
    QColor colour;
    int redRows;
  } cases[] = {{true, kRed, 1}, {false, kGrey, 0}, {true, kRed, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.on);
    diagram->setAdjusterOn(c.on);
    EXPECT_EQ(diagram->adjusterOn(), c.on);
    EXPECT_EQ(line()->property("color").value<QColor>(), c.colour);
    EXPECT_EQ(diagram->lineY(), 30.5f);
    const QImage shot = diagram->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.pixelColor(64, 56), c.colour);  // white paper under the line
    EXPECT_EQ(shot.pixelColor(64, 55), QColor(Qt::white));
    EXPECT_EQ(rowsOfColour(shot, 64, kRed).size(), std::size_t(c.redRows));
  }
}

TEST_F(CutDiagramTest, LineCannotBeMovedThroughItsProperties) {
  EXPECT_FALSE(line()->setProperty("y1", 40.0f));
  EXPECT_EQ(diagram->lineY(), 20.5f);
}

TEST_F(CutDiagramTest, MouseReportsThePointerHeightInDiagramUnits) {
  QSignalSpy down(diagram.get(), &CutDiagram::mouseDown);
  QSignalSpy move(diagram.get(), &CutDiagram::mouseMove);
  QSignalSpy up(diagram.get(), &CutDiagram::mouseUp);

  // A press, a drag that leaves the widget at the bottom and top, and a release outside it.
  QTest::mousePress(diagram.get(), Qt::LeftButton, {}, QPoint(60, 55));
  QTest::mouseMove(diagram.get(), QPoint(60, 37));
  QTest::mouseMove(diagram.get(), QPoint(60, 150));
  QTest::mouseMove(diagram.get(), QPoint(60, -20));
  QTest::mouseRelease(diagram.get(), Qt::LeftButton, {}, QPoint(60, 120));

  ASSERT_EQ(down.count(), 1);
  EXPECT_NEAR(down.at(0).at(0).toFloat(), 29.950495f, 1e-4);
  ASSERT_GE(move.count(), 3);
  const float expectedMoves[] = {20.148515f, 81.683168f, -10.891089f};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(move.at(move.count() - 3 + i).at(0).toFloat(), expectedMoves[i], 1e-4)
        << "move " << i;
  }
  ASSERT_EQ(up.count(), 1);
  EXPECT_NEAR(up.at(0).at(0).toFloat(), 65.346535f, 1e-4);
}

TEST_F(CutDiagramTest, AnyButtonCountsAndMovesWithoutAButtonAreReported) {
  QSignalSpy down(diagram.get(), &CutDiagram::mouseDown);
  QSignalSpy move(diagram.get(), &CutDiagram::mouseMove);
  QSignalSpy up(diagram.get(), &CutDiagram::mouseUp);
  QTest::mouseMove(diagram.get(), QPoint(10, 0));
  ASSERT_GE(move.count(), 1);
  EXPECT_NEAR(move.last().at(0).toFloat(), 0.0f, 1e-4);
  QTest::mouseMove(diagram.get(), QPoint(10, 100));
  EXPECT_NEAR(move.last().at(0).toFloat(), 54.455446f, 1e-4);

  QTest::mousePress(diagram.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(100, 19));
  QTest::mouseRelease(diagram.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(100, 96));
  ASSERT_EQ(down.count(), 1);
  EXPECT_NEAR(down.at(0).at(0).toFloat(), 10.346535f, 1e-4);
  ASSERT_EQ(up.count(), 1);
  EXPECT_NEAR(up.at(0).at(0).toFloat(), 52.277228f, 1e-4);
}

// A press on pixel row r must draw the line back on row r, on every row of the picture.
TEST_F(CutDiagramTest, PressedRowAndDrawnRowAgree) {
  QSignalSpy down(diagram.get(), &CutDiagram::mouseDown);
  diagram->setAdjusterOn(true);
  for (int row = 0; row < 101; ++row) {
    QTest::mousePress(diagram.get(), Qt::LeftButton, {}, QPoint(64, row));
    QTest::mouseRelease(diagram.get(), Qt::LeftButton, {}, QPoint(64, row));
    ASSERT_EQ(down.count(), row + 1);
    diagram->setLineY(down.last().at(0).toFloat());
    EXPECT_EQ(diagram->pixelRow(diagram->lineY()), row);
  }
  const QImage shot = diagram->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(rowsOfColour(shot, 64, kRed), std::vector<int>{100});
}

TEST_F(CutDiagramTest, DisabledDiagramReportsNothing) {
  diagram->setEnabled(false);
  QSignalSpy down(diagram.get(), &CutDiagram::mouseDown);
  QSignalSpy move(diagram.get(), &CutDiagram::mouseMove);
  QSignalSpy up(diagram.get(), &CutDiagram::mouseUp);
  QTest::mousePress(diagram.get(), Qt::LeftButton, {}, QPoint(60, 55));
  QTest::mouseMove(diagram.get(), QPoint(60, 70));
  QTest::mouseRelease(diagram.get(), Qt::LeftButton, {}, QPoint(60, 70));
  EXPECT_EQ(down.count() + move.count() + up.count(), 0);
}

}  // namespace
