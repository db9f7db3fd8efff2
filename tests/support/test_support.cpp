#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "gui/common/translation.h"

namespace Q6Test {

MessageCapture::MessageCapture(QMessageBox::StandardButton a) : answer(a) {
  Q6::setMessageHandler([this](const Q6::MessageRequest& r) {
    shown.push_back(r);
    return answer;
  });
}

void installUnexpectedMessageGuard() {
  Q6::setMessageHandler([](const Q6::MessageRequest& r) {
    ADD_FAILURE() << "unexpected message box \"" << r.title.toStdString()
                  << "\": " << r.text.toStdString();
    return QMessageBox::Cancel;
  });
}

MessageCapture::~MessageCapture() {
  installUnexpectedMessageGuard();
}

namespace {

QChar accented(QChar c) {
  static const QString plain = QStringLiteral("aeiounycAEIOUNYC");
  static const QString marked = QStringLiteral("áéíóúñýçÁÉÍÓÚÑÝÇ");
  const qsizetype at = plain.indexOf(c);
  return at < 0 ? c : marked.at(at);
}

class PseudoTranslator : public QTranslator {
 public:
  QString translate(const char*, const char* source, const char*, int) const override {
    return source && *source ? pseudoText(QString::fromUtf8(source)) : QString();
  }
  bool isEmpty() const override { return false; }
};

}  // namespace

QString pseudoText(const QString& text) {
  QString out;
  QString word;
  const auto endWord = [&] {
    const qsizetype extra = (word.size() * 2 + 4) / 5;  // 40%, rounded up
    for (qsizetype i = 0; i < extra; ++i) {
      word += accented(word.at(i % word.size()).toLower());
    }
    out += word;
    word.clear();
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    // "%1" stays a placeholder: the digit is no letter, and the sign is passed on as it is.
    if (c.isLetter()) {
      word += accented(c);
    } else {
      if (!word.isEmpty()) {
        endWord();
      }
      out += c;
    }
  }
  if (!word.isEmpty()) {
    endWord();
  }
  return out;
}

Language::Language(const QString& language) : language_(language) {
  if (language.isEmpty()) {
    return;
  }
  if (language == kPseudoLanguage) {
    translator_ = std::make_unique<PseudoTranslator>();
  } else {
    translator_ = std::make_unique<QTranslator>();
    if (!translator_->load(Q6::translationFile(language))) {
      translator_.reset();
      return;
    }
  }
  QCoreApplication::installTranslator(translator_.get());
}

Language::~Language() {
  if (translator_) {
    QCoreApplication::removeTranslator(translator_.get());
  }
}

}  // namespace Q6Test
