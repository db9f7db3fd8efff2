#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "cli/options.h"
#include "core/printer/commands.h"
#include "core/record/printer_record.h"
#include "core/settings/settings_table.h"
#include "core/settings/use_settings.h"

// What a command sends, read and checked whole before the first link opens: a refusal here sends
// nothing anywhere.
namespace Q6Cli {

// What one run sends: the commands grouped by what they stand for, each group under the line the
// dry run shows for it.
struct Payload {
  struct Group {
    QString label;  // `form-feed = partial-cut ("Partial Cut")`, "write"
    Q6::CommandList commands;
  };
  QString what;  // "apply for the QLX500", "reset", "test line-feed"
  std::vector<Group> groups;
  Q6::CommandList commands() const;

  // How the record names the exchange: "apply", "reset", "test line-feed", and what it does.
  QString action;
  Q6::RecordEffect effect = Q6::RecordEffect::None;
  QString model;  // "QLX500", or empty when the exchange does not depend on it
  // apply: the choices, and the plan whose parts are the groups, one for one
  bool isApply = false;
  int modelIndex = 0;
  Q6::Selection selection;
  Q6::UseSettingsPlan plan;
  // What people are told about these choices before anything is sent (the window's advice).
  QStringList notes;
};

// Each returns nothing with *error set (without the program's prefix) when the command line does
// not make a payload.
std::optional<Payload> buildApply(const Options& o, QString* error);
std::optional<Payload> buildReset(const Options& o, QString* error);
std::optional<Payload> buildTest(const Options& o, QString* error);

// The preset's bytes, or nothing with the system's reason why it cannot be read. A bare name that
// is not a file here is looked for in the Presets folder, with or without ".pre".
std::optional<QByteArray> readPreset(const QString& given, QString* reason);

// A suggestion for a --set the table refused: the nearest setting name, or the nearest entry of the
// setting on this model.
QString suggestChoice(int model, const QString& name, const QString& entry);

// How the dry run shows the value a setting sends: a list's entry as --set names it, with the
// window's text beside it.
QString chosenValue(const Q6::SettingRow& row, const Q6::Selection& s, int model);

// A part of "Use Settings" as the dry run names it: NAME = VALUE for each setting it carries.
QString partLabel(const Q6::SettingCommands& part, const Q6::Selection& s, int model);

}  // namespace Q6Cli
