#include "gui/layout/text_measures.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>

#include <system_error>

namespace Q6::Layout {

namespace {

// Tall enough for any text of ours: the box's height only places the text, it never breaks it.
constexpr int kUnlimitedHeight = 1 << 20;

// A copy of the font that shares nothing with the window's widgets, for the helper thread. Qt
// shares one private font object between copies and fills its engine cache lazily; a setter that
// changes something detaches the copy (one that changes nothing returns early, hence the round
// trip).
QFont ownCopy(QFont font) {
  if (font.pointSizeF() > 0) {
    const qreal points = font.pointSizeF();
    font.setPointSizeF(points + 1);
    font.setPointSizeF(points);
  } else {
    const int pixels = font.pixelSize();
    font.setPixelSize(pixels + 1);
    font.setPixelSize(pixels);
  }
  return font;
}

}  // namespace

std::optional<TextQuestion> textQuestion(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    if (label->text().isEmpty()) {
      return std::nullopt;  // a picture is scaled to its frame
    }
    const int flags =
        static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return TextQuestion{label->font(), label->text(), label->contentsRect().width(), flags,
                        label->logicalDpiY()};
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
      button && !button->text().isEmpty()) {
    return TextQuestion{button->font(), button->text(), 0, TextQuestion::kOneLine,
                        button->logicalDpiY()};
  }
  return std::nullopt;
}

QSize measure(const TextQuestion& question) {
  // Measured at the question's dpi, whatever screen the font was last resolved for.
  const QFontMetrics metrics = [&question] {
    if (question.dpi <= 0) {
      return QFontMetrics(question.font);
    }
    QImage probe(1, 1, QImage::Format_Mono);
    const int dotsPerMetre = qRound(question.dpi / 0.0254);
    probe.setDotsPerMeterX(dotsPerMetre);
    probe.setDotsPerMeterY(dotsPerMetre);
    return QFontMetrics(question.font, &probe);
  }();
  if (question.flags == TextQuestion::kOneLine) {
    return {metrics.horizontalAdvance(question.text), metrics.height()};
  }
  return metrics
      .boundingRect(QRect(0, 0, question.width, kUnlimitedHeight), question.flags, question.text)
      .size();
}

TextMeasures::~TextMeasures() {
  {
    const std::lock_guard<std::mutex> hold(m_lock);
    m_stopping = true;
  }
  m_changed.notify_all();
  if (m_helper.joinable()) {
    m_helper.join();
  }
}

void TextMeasures::measureAhead(std::vector<TextQuestion> questions) {
  {
    const std::lock_guard<std::mutex> hold(m_lock);
    if (m_ending) {
      return;
    }
    if (!m_helper.joinable()) {
      try {
        m_helper = std::thread([this] { answerQueued(); });
      } catch (const std::system_error&) {
        return;  // no thread to be had: every question is answered on the caller's thread
      }
    }
    for (TextQuestion& question : questions) {
      if (!m_answers.contains(question) && !m_pending.contains(question)) {
        question.font = ownCopy(question.font);
        m_pending.insert(question);
        m_queue.push_back(std::move(question));
      }
    }
  }
  m_changed.notify_all();
}

void TextMeasures::measureAhead(const QWidget* page) {
  std::vector<TextQuestion> questions;
  for (const QWidget* w : page->findChildren<QWidget*>()) {
    if (std::optional<TextQuestion> question = textQuestion(w)) {
      questions.push_back(std::move(*question));
    }
  }
  measureAhead(std::move(questions));
}

void TextMeasures::endAhead() {
  {
    const std::lock_guard<std::mutex> hold(m_lock);
    m_ending = true;
  }
  m_changed.notify_all();
}

QSize TextMeasures::answer(const TextQuestion& question) {
  {
    std::unique_lock<std::mutex> hold(m_lock);
    m_changed.wait(hold, [&] { return !m_pending.contains(question); });
    const auto known = m_answers.constFind(question);
    if (known != m_answers.cend()) {
      return *known;
    }
  }
  const QSize size = measure(question);
  const std::lock_guard<std::mutex> hold(m_lock);
  m_answers.insert(question, size);
  return size;
}

void TextMeasures::answerQueued() {
  std::unique_lock<std::mutex> hold(m_lock);
  for (;;) {
    m_changed.wait(hold, [this] { return m_stopping || m_ending || !m_queue.empty(); });
    if (m_stopping || m_queue.empty()) {
      return;
    }
    const TextQuestion question = std::move(m_queue.front());
    m_queue.pop_front();
    hold.unlock();
    const QSize size = measure(question);
    hold.lock();
    m_answers.insert(question, size);
    m_pending.remove(question);
    m_changed.notify_all();
  }
}

QSize answer(const TextQuestion& question, TextMeasures* measures) {
  return measures ? measures->answer(question) : measure(question);
}

}  // namespace Q6::Layout
