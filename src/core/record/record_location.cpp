#include "core/record/record_location.h"

#include <QByteArray>

#include <algorithm>
#include <utility>
#include <vector>

namespace Q6 {

namespace {

const QString kMask = QStringLiteral("***");

QString decoded(const QString& part) {
  return QString::fromUtf8(QByteArray::fromPercentEncoding(part.toUtf8()));
}

// Where the user part's password lies, [first, end); libpq ends the user part at the first "@"
// before any "/", and its password after the first ":" in it. Empty when there is none.
std::pair<qsizetype, qsizetype> userPassword(const QString& uri) {
  const qsizetype start = uri.indexOf(QLatin1String("://")) + 3;
  qsizetype at = start;
  while (at < uri.size() && uri[at] != u'@' && uri[at] != u'/') {
    ++at;
  }
  if (at >= uri.size() || uri[at] != u'@') {
    return {0, 0};
  }
  const qsizetype colon = uri.indexOf(u':', start);
  return colon >= 0 && colon < at ? std::pair{colon + 1, at}
                                  : std::pair{qsizetype{0}, qsizetype{0}};
}

// Each parameter whose name ends in "password" (password, sslpassword), by where its value lies.
template <typename Each>
void forEachSecretParameter(const QString& uri, Each each) {
  const qsizetype query = uri.indexOf(u'?', userPassword(uri).second);
  if (query < 0) {
    return;
  }
  qsizetype from = query + 1;
  while (from <= uri.size()) {
    qsizetype end = uri.indexOf(u'&', from);
    if (end < 0) {
      end = uri.size();
    }
    const qsizetype equals = uri.indexOf(u'=', from);
    if (equals >= 0 && equals < end &&
        decoded(uri.mid(from, equals - from)).endsWith(QLatin1String("password"))) {
      each(equals + 1, end);
    }
    from = end + 1;
  }
}

}  // namespace

bool isServerRecordLocation(const QString& location) {
  return location.startsWith(QLatin1String("postgresql://")) ||
         location.startsWith(QLatin1String("postgres://"));
}

QString maskedRecordLocation(const QString& location) {
  if (!isServerRecordLocation(location)) {
    return location;
  }
  QString masked = location;
  // From the end, so that each replacement leaves the places before it where they were.
  std::vector<std::pair<qsizetype, qsizetype>> secrets;
  if (const auto user = userPassword(masked); user.second > user.first) {
    secrets.push_back(user);
  }
  forEachSecretParameter(masked, [&](qsizetype first, qsizetype end) {
    if (end > first) {
      secrets.emplace_back(first, end);
    }
  });
  for (auto it = secrets.rbegin(); it != secrets.rend(); ++it) {
    masked.replace(it->first, it->second - it->first, kMask);
  }
  return masked;
}

QStringList locationSecrets(const QString& location) {
  QStringList secrets;
  if (!isServerRecordLocation(location)) {
    return secrets;
  }
  const auto add = [&](qsizetype first, qsizetype end) {
    const QString raw = location.mid(first, end - first);
    for (const QString& secret : {raw, decoded(raw)}) {
      if (!secret.isEmpty() && !secrets.contains(secret)) {
        secrets << secret;
      }
    }
  };
  const auto user = userPassword(location);
  add(user.first, user.second);
  forEachSecretParameter(location, add);
  // The longest first: a secret inside another is then never left half masked.
  std::sort(secrets.begin(), secrets.end(),
            [](const QString& a, const QString& b) { return a.size() > b.size(); });
  return secrets;
}

QString withoutSecrets(QString text, const QStringList& secrets) {
  for (const QString& secret : secrets) {
    text.replace(secret, kMask);
  }
  return text;
}

}  // namespace Q6
