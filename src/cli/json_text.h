#pragma once

#include <QStringView>

#include <string>

#include "cli/fleet.h"
#include "cli/output.h"

// The report's JSON written straight into bytes, exactly as Qt's indented form writes the same
// values: a fleet's report holds ten thousand targets' objects, and building each as a QJsonObject
// to have it written cost the reporting thread more than sending the target did.
namespace Q6Cli {

// A JSON string as Qt writes it: quotes, backslashes and control characters escaped, the rest as
// UTF-8, a lone surrogate as \uXXXX.
void appendJsonString(std::string& out, QStringView text);

// A target's object in the report, as an element of its "targets" list (two levels in): the keys
// in Qt's order, "error" only for a failed target, "diff" with each change as before → after.
void appendTargetJson(std::string& out, const TargetResult& result, const TargetNote& note);

}  // namespace Q6Cli
