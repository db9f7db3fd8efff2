#pragma once

#include <QComboBox>
#include <QCoreApplication>

#include <cstddef>
#include <initializer_list>
#include <span>
#include <utility>

#include "core/link/link_settings.h"

class QFormLayout;
class QLineEdit;
class QStackedWidget;
class QWidget;

// The fields of the link settings panel: its lists turn with the wheel only once focused, and each
// carries its objectName from the start.
namespace Orvanel::PanelFields {

QComboBox* newCombo(QWidget* parent, const char* name);
// A list the operator may also type into (host names, ports, queues, paths).
QComboBox* typedCombo(QWidget* parent, const char* name);
QComboBox* numberCombo(QWidget* parent, const char* name, std::span<const int> numbers);
QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLength = 32767);
QFormLayout* form(QWidget* page);
QWidget* addPage(QStackedWidget* stack);
// The captions are the panel's own, marked where the rows are made and shown translated.
void addRows(QWidget* page, std::initializer_list<std::pair<const char*, QWidget*>> rows);
// Selects the entry carrying value; a value the list does not offer (hand-written settings) is
// added, so that it is shown as it is and stored back unchanged.
void selectValue(QComboBox* combo, int value, const QString& text);

template <typename Value, std::size_t N>
QComboBox* choiceCombo(QWidget* parent, const char* name, const NamedChoice<Value> (&choices)[N]) {
  auto* combo = newCombo(parent, name);
  for (const NamedChoice<Value>& choice : choices) {
    // The value, never the text, is what is stored.
    combo->addItem(QCoreApplication::translate("Q6::Link", choice.shown),
                   static_cast<int>(choice.value));
  }
  return combo;
}

}  // namespace Orvanel::PanelFields
