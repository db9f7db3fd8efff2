#pragma once

#include <QFont>
#include <QHash>
#include <QHashFunctions>
#include <QSet>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class QWidget;

namespace Q6::Layout {

// What the caption-fitting pass measures of a widget: a button's or check box's caption on one
// line, or a label's text laid out in a box of the label's width with its alignment and wrapping.
struct TextQuestion {
  QFont font;
  QString text;
  int width = 0;         // a label's box; not used for a caption on one line
  int flags = kOneLine;  // a label's alignment and wrapping
  int dpi = 0;           // the widget's, which its font is measured at

  static constexpr int kOneLine = -1;
  // Equal questions have the same answer (QFont compares all that shapes a text but the dpi).
  friend bool operator==(const TextQuestion& a, const TextQuestion& b) {
    return a.width == b.width && a.flags == b.flags && a.dpi == b.dpi && a.text == b.text &&
           a.font == b.font;
  }
  friend size_t qHash(const TextQuestion& question, size_t seed = 0) {
    return qHashMulti(seed, question.font, question.text, question.width, question.flags,
                      question.dpi);
  }
};

// Nothing for a widget without a text to fit (a picture, a list, an empty label).
std::optional<TextQuestion> textQuestion(const QWidget* widget);

// The answer, measured on the calling thread: for a caption on one line its advance as the width;
// for a label the size its text takes (QFontMetrics::boundingRect in a box of its width).
QSize measure(const TextQuestion& question);

// Answers the fitting pass's questions once each, for one window while it is built. Making room
// for the help texts and fitting them ask the same questions, and a window's first start is mostly
// its thread waiting on fonts, so questions known early are handed to a helper thread
// (measureAhead()), which answers them while the window's thread goes on building; answer() then
// waits for the helper's answer instead of laying the text out a second time. Measuring text
// needs no widget, and Qt's font classes work on any thread (each thread loads its own font
// engines), so the answers are the ones the window's thread would get.
class TextMeasures {
 public:
  TextMeasures() = default;
  ~TextMeasures();  // stops the helper; questions it has not reached are dropped
  TextMeasures(const TextMeasures&) = delete;
  TextMeasures& operator=(const TextMeasures&) = delete;

  void measureAhead(std::vector<TextQuestion> questions);
  // The questions of a finished page's widgets (a later change to a text, font or width makes a
  // different question, answered on the caller's thread).
  void measureAhead(const QWidget* page);
  // No more questions ahead: the helper ends once it has answered those it has, so that it is gone
  // by the time the window is built.
  void endAhead();
  QSize answer(const TextQuestion& question);

 private:
  void answerQueued();

  std::mutex m_lock;
  std::condition_variable m_changed;  // an answer, a question or the stop
  std::deque<TextQuestion> m_queue;
  QSet<TextQuestion> m_pending;  // queued or being measured
  QHash<TextQuestion, QSize> m_answers;
  bool m_stopping = false;  // drop what is queued and end
  bool m_ending = false;    // end once the queue is empty
  std::thread m_helper;
};

// The answer from `measures` when there are some (while a window is built), else measured here.
QSize answer(const TextQuestion& question, TextMeasures* measures);

}  // namespace Q6::Layout
