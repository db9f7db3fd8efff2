#include "core/record/record_columns.h"

#include <QDateTime>

#include <type_traits>

namespace Q6::Record {

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
  Column c{name, use, ColumnType::Text, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  c.same = [](const RecordEntry& a, const RecordEntry& b) { return a.*Member == b.*Member; };
  c.copy = [](RecordEntry& to, const RecordEntry& from) { to.*Member = from.*Member; };
  if constexpr (std::is_same_v<V, qint64>) {
    c.type = ColumnType::Integer;
    c.numberOf = [](const RecordEntry& e) { return e.*Member; };
    c.readNumber = [](RecordEntry& e, qint64 n) { e.*Member = n; };
  } else {
    if constexpr (std::is_same_v<V, QDateTime>) {
      c.type = ColumnType::Time;
    }
    c.textOf = [](const RecordEntry& e) { return Codec<V>::text(e.*Member); };
    c.readText = [](RecordEntry& e, QByteArrayView b) { e.*Member = Codec<V>::from(b); };
  }
  return c;
}

// The order is the order of the table as version 1 made it.
const Column kColumns[] = {
    column<&RecordEntry::id>("id", kKey | kForState),
    column<&RecordEntry::time>("time", kAtBegin | kForState),
    column<&RecordEntry::user>("user", kAtBegin | kForState),
    column<&RecordEntry::host>("host", kAtBegin | kForState),
    column<&RecordEntry::program>("program", kAtBegin),
    column<&RecordEntry::printer>("printer", kAtBegin),
    column<&RecordEntry::model>("model", kAtBegin),
    column<&RecordEntry::action>("action", kAtBegin),
    column<&RecordEntry::effect>("effect", kAtBegin | kForState),
    column<&RecordEntry::settings>("settings", kAtBegin | kForState),
    column<&RecordEntry::bytes>("bytes", kAtBegin),
    column<&RecordEntry::sha256>("sha256", kAtBegin),
    column<&RecordEntry::outcome>("outcome", kPending | kAtComplete | kForState),
    column<&RecordEntry::sent>("sent", kAtComplete),
    column<&RecordEntry::reason>("reason", kAtComplete),
    column<&RecordEntry::completed>("completed", kAtComplete),
};

}  // namespace

std::span<const Column> entryColumns() {
  return kColumns;
}

int columnCount(unsigned use) {
  int n = 0;
  for (const Column& c : kColumns) {
    n += c.has(use) ? 1 : 0;
  }
  return n;
}

QByteArray pendingWord() {
  return Codec<RecordOutcome>::text(RecordOutcome::Pending);
}

EntryReader::EntryReader(unsigned use) {
  for (const Column& c : kColumns) {
    if (c.has(use)) {
      columns_.push_back(&c);
    }
  }
  raw_.resize(columns_.size());
  known_.assign(columns_.size(), false);
}

void EntryReader::take(RecordEntry& entry, size_t column, QByteArrayView bytes) {
  const Column& c = *columns_[column];
  if (known_[column] && bytes == QByteArrayView(raw_[column])) {
    c.copy(entry, last_);
  } else {
    raw_[column] = bytes.toByteArray();
    known_[column] = true;
    c.readText(entry, bytes);
  }
}

}  // namespace Q6::Record
