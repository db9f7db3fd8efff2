// How the main window fits its texts into the boxes they were drawn in: the room help texts get,
// then a smaller face for a text that still does not fit. A tab is fitted when it is first shown
// (the Main tab before the window is first painted): the faces a page needs load only then, and
// most operators never open most tabs.
#include <QLabel>
#include <QTabWidget>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "gui/layout/layout_kit.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/main_window_layout.h"

using namespace Q6::Layout;

namespace {

using Row = std::pair<QLabel*, QLabel*>;  // a setting row's title and help text

// A help text that needs another line may push the rows under it down by this much; further, a
// title would no longer stand level with its list.
constexpr int kMostRowShiftPixels = 5;

// The help boxes were drawn for a narrow face. A help text that needs another line with the
// desktop's face gets it by pushing the rows under it down a little; the lists and everything else
// stay where they are. A text that cannot get the room is drawn smaller by fitText() instead.
// `rows` are a page's setting rows, top down.
void makeRoomForHelpTexts(QWidget* page, const std::vector<Row>& rows, TextSizes& sizes) {
  using Placement = std::vector<std::pair<QRect, QRect>>;  // title and help of each row
  const int pageBottom = px(Q6::kPageBottomTwips - Q6::kTabRowTwips);
  std::vector<QWidget*> others;
  for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (std::none_of(rows.begin(), rows.end(),
                     [w](const Row& row) { return row.first == w || row.second == w; })) {
      others.push_back(w);
    }
  }
  const auto runsInto = [&others](const QRect& before, const QRect& after) {
    return std::any_of(others.begin(), others.end(), [&](const QWidget* w) {
      return after.intersects(w->geometry()) && !before.intersects(w->geometry());
    });
  };
  std::vector<int> needed;
  for (const Row& row : rows) {
    restoreDesignFont(row.second);
    const std::optional<TextQuestion> question = textQuestion(row.second);
    needed.push_back(question ? measure(*question, &sizes).height() : 0);
  }

  // Where the rows go when those marked in `grow` get all the height their text needs; nothing
  // when that would move a row too far or run into another control or off the page.
  const auto arrange = [&](const std::vector<bool>& grow) -> std::optional<Placement> {
    Placement placement;
    int shift = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (shift > kMostRowShiftPixels) {
        return std::nullopt;
      }
      const QRect title = rows[i].first->geometry();
      const QRect help = rows[i].second->geometry();
      const int top = help.top() + shift;
      const int height = grow[i] ? needed[i] : std::min(needed[i], help.height());
      const int bottom = std::max(help.bottom() + 1, top + height);
      const QRect movedTitle = title.translated(0, shift);
      const QRect movedHelp(help.left(), top, help.width(), bottom - top);
      if (runsInto(title, movedTitle) || runsInto(help, movedHelp) ||
          (bottom > help.bottom() + 1 && bottom > pageBottom)) {
        return std::nullopt;
      }
      placement.emplace_back(movedTitle, movedHelp);
      shift = bottom - (help.bottom() + 1);
    }
    return placement;
  };
  std::vector<bool> grow(rows.size(), false);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (needed[i] > rows[i].second->height()) {
      grow[i] = true;
      grow[i] = arrange(grow).has_value();
    }
  }
  const Placement placement = *arrange(grow);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].first->setGeometry(placement[i].first);
    rows[i].second->setGeometry(placement[i].second);
  }
}

}  // namespace

void frmMain::fitTab(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= m_tabFitted.size() || m_tabFitted[index]) {
    return;
  }
  m_tabFitted[index] = true;
  QWidget* page = SSTab1->widget(index);
  TextSizes sizes;  // each text is laid out once in this pass
  std::vector<Row> rows;
  std::copy_if(m_settingRows.begin(), m_settingRows.end(), std::back_inserter(rows),
               [page](const Row& row) { return row.first->parentWidget() == page; });
  if (!rows.empty()) {
    makeRoomForHelpTexts(page, rows, sizes);
  }
  for (QWidget* w : page->findChildren<QWidget*>()) {
    fitText(w, &sizes);
  }
}

// A text changed on a tab not yet shown is fitted with the rest of its tab.
bool frmMain::tabFitted(const QWidget* page) const {
  const int index = SSTab1->indexOf(page);
  return index >= 0 && static_cast<std::size_t>(index) < m_tabFitted.size() && m_tabFitted[index];
}
