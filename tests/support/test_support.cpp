#include "support/test_support.h"

#include <gtest/gtest.h>

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

}  // namespace Q6Test
