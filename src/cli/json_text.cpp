#include "cli/json_text.h"

namespace Q6Cli {

namespace {

char hexDigit(unsigned value) {
  return static_cast<char>(value < 10 ? '0' + value : 'a' + value - 10);
}

void appendEscape(std::string& out, char16_t unit) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) {
    out += hexDigit((unit >> shift) & 0xf);
  }
}

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x800) {
    out += static_cast<char>(0xc0 | (code >> 6));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xe0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
  }
  out += static_cast<char>(0x80 | (code & 0x3f));
}

// A key and its separator, one level deeper than `indent` spaces.
void appendKey(std::string& out, const char* indent, const char* key) {
  out += indent;
  out += "    \"";
  out += key;
  out += "\": ";
}

}  // namespace

void appendJsonString(std::string& out, QStringView text) {
  out += '"';
  const char16_t* at = text.utf16();
  const char16_t* const end = at + text.size();
  while (at != end) {
    const char16_t unit = *at++;
    if (unit < 0x80) {
      switch (unit) {
        case u'"':
          out += "\\\"";
          break;
        case u'\\':
          out += "\\\\";
          break;
        case u'\b':
          out += "\\b";
          break;
        case u'\f':
          out += "\\f";
          break;
        case u'\n':
          out += "\\n";
          break;
        case u'\r':
          out += "\\r";
          break;
        case u'\t':
          out += "\\t";
          break;
        default:
          if (unit < 0x20) {
            appendEscape(out, unit);
          } else {
            out += static_cast<char>(unit);
          }
      }
    } else if (unit >= 0xd800 && unit < 0xdc00 && at != end && *at >= 0xdc00 && *at < 0xe000) {
      const char32_t code = 0x10000 + ((char32_t(unit) - 0xd800) << 10) + (*at++ - 0xdc00);
      appendUtf8(out, code);
    } else if (unit >= 0xd800 && unit < 0xe000) {
      appendEscape(out, unit);  // a surrogate without its other half
    } else {
      appendUtf8(out, unit);
    }
  }
  out += '"';
}

void appendTargetJson(std::string& out, const TargetResult& r, const TargetNote& note) {
  constexpr const char* kIn = "        ";  // two levels: the report's "targets" list
  out += kIn;
  out += "{\n";
  appendKey(out, kIn, "bytes");
  out += std::to_string(r.bytes);
  out += ",\n";
  // Changed: the printer got (or, checking, would get) bytes that alter what it holds.
  appendKey(out, kIn, "changed");
  out += note.changed && (r.outcome == Outcome::Delivered || r.outcome == Outcome::WouldChange)
             ? "true"
             : "false";
  out += ",\n";
  appendKey(out, kIn, "diff");
  out += "[\n";
  for (qsizetype i = 0; i < note.diff.size(); ++i) {
    const SettingChange& c = note.diff[i];
    out += kIn;
    out += "        {\n";
    const char* const inItem = "                ";
    appendKey(out, inItem, "after");
    appendJsonString(out, c.after);
    out += ",\n";
    appendKey(out, inItem, "before");
    appendJsonString(out, c.before);
    out += ",\n";
    appendKey(out, inItem, "setting");
    appendJsonString(out, c.setting);
    out += '\n';
    out += kIn;
    out += i + 1 < note.diff.size() ? "        },\n" : "        }\n";
  }
  out += kIn;
  out += "    ],\n";
  if (r.outcome == Outcome::Failed) {
    appendKey(out, kIn, "error");
    appendJsonString(out, r.error);
    out += ",\n";
  }
  appendKey(out, kIn, "ms");
  out += std::to_string(r.ms);
  out += ",\n";
  appendKey(out, kIn, "status");
  appendJsonString(out, statusName(r.outcome));
  out += ",\n";
  appendKey(out, kIn, "target");
  appendJsonString(out, r.target);
  out += '\n';
  out += kIn;
  out += '}';
}

}  // namespace Q6Cli
