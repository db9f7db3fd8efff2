#include "gui/link/panel_fields.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QStackedWidget>

#include "gui/common/wheel_guard.h"

namespace Orvanel::PanelFields {

QComboBox* newCombo(QWidget* parent, const char* name) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  Q6::turnOnlyWhenFocused(combo);
  return combo;
}

QComboBox* typedCombo(QWidget* parent, const char* name) {
  auto* combo = newCombo(parent, name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(18);
  return combo;
}

QComboBox* numberCombo(QWidget* parent, const char* name, std::span<const int> numbers) {
  auto* combo = newCombo(parent, name);
  for (int number : numbers) {
    combo->addItem(QString::number(number), number);
  }
  return combo;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLength) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMaxLength(maxLength);
  return edit;
}

QFormLayout* form(QWidget* page) {
  auto* layout = new QFormLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  layout->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return layout;
}

QWidget* addPage(QStackedWidget* stack) {
  auto* page = new QWidget(stack);
  form(page);
  stack->addWidget(page);
  return page;
}

void addRows(QWidget* page, std::initializer_list<std::pair<const char*, QWidget*>> rows) {
  for (const auto& [caption, field] : rows) {
    static_cast<QFormLayout*>(page->layout())
        ->addRow(QCoreApplication::translate("Orvanel::LinkSettingsPanel", caption), field);
  }
}

void selectValue(QComboBox* combo, int value, const QString& text) {
  int index = combo->findData(value);
  if (index < 0) {
    combo->addItem(text, value);
    index = combo->count() - 1;
  }
  combo->setCurrentIndex(index);
}

}  // namespace Orvanel::PanelFields
