#include "core/record/sqlite_columns.h"

#include <QDateTime>

#include <type_traits>

namespace Q6::Sqlite {

namespace {

// How a field's value reads as text in the file.
template <typename V>
struct Codec;

template <>
struct Codec<QString> {
  static QByteArray text(const QString& v) { return v.toUtf8(); }
  static QString from(QByteArrayView b) { return QString::fromUtf8(b); }
};

// UTC with milliseconds; a time that does not read back is no time.
template <>
struct Codec<QDateTime> {
  static QByteArray text(const QDateTime& v) {
    return v.isValid() ? v.toUTC().toString(Qt::ISODateWithMs).toUtf8() : QByteArray();
  }
  static QDateTime from(QByteArrayView b) {
    const QDateTime time = QDateTime::fromString(QString::fromUtf8(b), Qt::ISODateWithMs);
    return time.isValid() ? time.toUTC() : QDateTime();
  }
};

template <>
struct Codec<RecordEffect> {
  static QByteArray text(RecordEffect v) { return recordEffectName(v).toUtf8(); }
  static RecordEffect from(QByteArrayView b) { return recordEffectNamed(QString::fromUtf8(b)); }
};

template <>
struct Codec<RecordOutcome> {
  static QByteArray text(RecordOutcome v) { return recordOutcomeName(v).toUtf8(); }
  static RecordOutcome from(QByteArrayView b) { return recordOutcomeNamed(QString::fromUtf8(b)); }
};

// One setting a line: a setting never spans lines (entryFault).
template <>
struct Codec<QStringList> {
  static QByteArray text(const QStringList& v) { return v.join(u'\n').toUtf8(); }
  static QStringList from(QByteArrayView b) {
    return b.isEmpty() ? QStringList() : QString::fromUtf8(b).split(u'\n');
  }
};

// The SHA-256, in hex.
template <>
struct Codec<QByteArray> {
  static QByteArray text(const QByteArray& v) { return v.toHex(); }
  static QByteArray from(QByteArrayView b) { return QByteArray::fromHex(b.toByteArray()); }
};

template <auto Member>
constexpr Column column(const char* name, unsigned use) {
  using V = std::remove_cvref_t<decltype(std::declval<RecordEntry&>().*Member)>;
  Column c{name, use, false, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  c.same = [](const RecordEntry& a, const RecordEntry& b) { return a.*Member == b.*Member; };
  c.copy = [](RecordEntry& to, const RecordEntry& from) { to.*Member = from.*Member; };
  if constexpr (std::is_same_v<V, qint64>) {
    c.number = true;
    c.numberOf = [](const RecordEntry& e) { return e.*Member; };
    c.readNumber = [](RecordEntry& e, qint64 n) { e.*Member = n; };
  } else {
    c.textOf = [](const RecordEntry& e) { return Codec<V>::text(e.*Member); };
    c.readText = [](RecordEntry& e, QByteArrayView b) { e.*Member = Codec<V>::from(b); };
  }
  return c;
}

// The order is the order of the table as version 1 made it.
const Column kColumns[] = {
    column<&RecordEntry::id>("id", kKey),
    column<&RecordEntry::time>("time", kAtBegin),
    column<&RecordEntry::user>("user", kAtBegin),
    column<&RecordEntry::host>("host", kAtBegin),
    column<&RecordEntry::program>("program", kAtBegin),
    column<&RecordEntry::printer>("printer", kAtBegin),
    column<&RecordEntry::model>("model", kAtBegin),
    column<&RecordEntry::action>("action", kAtBegin),
    column<&RecordEntry::effect>("effect", kAtBegin),
    column<&RecordEntry::settings>("settings", kAtBegin),
    column<&RecordEntry::bytes>("bytes", kAtBegin),
    column<&RecordEntry::sha256>("sha256", kAtBegin),
    column<&RecordEntry::outcome>("outcome", kPending | kAtComplete),
    column<&RecordEntry::sent>("sent", kAtComplete),
    column<&RecordEntry::reason>("reason", kAtComplete),
    column<&RecordEntry::completed>("completed", kAtComplete),
};

QByteArray namesOf(unsigned use, const char* separator, const char* after = "") {
  QByteArray names;
  for (const Column& c : kColumns) {
    if (use == ~0u || (c.use & use) != 0) {
      names += (names.isEmpty() ? "" : separator) + QByteArray(c.name) + after;
    }
  }
  return names;
}

int countOf(unsigned use) {
  int n = 0;
  for (const Column& c : kColumns) {
    n += (c.use & use) != 0 ? 1 : 0;
  }
  return n;
}

}  // namespace

std::span<const Column> entryColumns() {
  return kColumns;
}

QByteArray selectedColumns() {
  return namesOf(~0u, ", ");
}

QByteArray insertStatement(int rows) {
  QByteArray row;
  for (const Column& c : kColumns) {
    if ((c.use & (kAtBegin | kPending)) == 0) {
      continue;
    }
    row += row.isEmpty() ? "(" : ", ";
    row += (c.use & kAtBegin) != 0 ? QByteArray("?")
                                   : "'" + Codec<RecordOutcome>::text(RecordOutcome::Pending) + "'";
  }
  row += ")";
  QByteArray sql = "INSERT INTO entries (" + namesOf(kAtBegin | kPending, ", ") + ") VALUES " + row;
  for (int r = 1; r < rows; ++r) {
    sql += ", " + row;
  }
  return sql + " RETURNING id";
}

int insertParameters() {
  return countOf(kAtBegin);
}

QByteArray completeStatement() {
  return "UPDATE entries SET " + namesOf(kAtComplete, ", ", " = ?") +
         " WHERE id BETWEEN ? AND ? AND outcome = '" +
         Codec<RecordOutcome>::text(RecordOutcome::Pending) + "'";
}

int completeParameters() {
  return countOf(kAtComplete) + 2;
}

EntryBinder::EntryBinder(unsigned use) {
  for (const Column& c : kColumns) {
    if ((c.use & use) != 0) {
      columns_.push_back(&c);
    }
  }
  text_.resize(columns_.size());
}

Status EntryBinder::bind(Statement& statement, int first, const RecordEntry& entry) {
  for (size_t i = 0; i < columns_.size(); ++i) {
    const Column& c = *columns_[i];
    const int at = first + static_cast<int>(i);
    Status bound;
    if (c.number) {
      bound = statement.bind(at, c.numberOf(entry));
    } else {
      if (!any_ || !c.same(last_, entry)) {
        text_[i] = c.textOf(entry);
      }
      bound = statement.bind(at, QByteArrayView(text_[i]));
    }
    if (!bound) {
      return bound;
    }
  }
  last_ = entry;
  any_ = true;
  return Status{};
}

EntryReader::EntryReader() : raw_(std::size(kColumns)), known_(std::size(kColumns), false) {}

RecordEntry EntryReader::read(const Statement& row) {
  RecordEntry entry;
  for (size_t i = 0; i < std::size(kColumns); ++i) {
    const Column& c = kColumns[i];
    const int at = static_cast<int>(i);
    if (row.isNull(at)) {
      known_[i] = false;
      continue;  // the field's own default: a completion time while pending
    }
    if (c.number) {
      c.readNumber(entry, row.number(at));
      continue;
    }
    const QByteArrayView bytes = row.bytes(at);
    if (known_[i] && bytes == QByteArrayView(raw_[i])) {
      c.copy(entry, last_);
    } else {
      raw_[i] = bytes.toByteArray();
      known_[i] = true;
      c.readText(entry, bytes);
    }
  }
  last_ = entry;
  return entry;
}

}  // namespace Q6::Sqlite
