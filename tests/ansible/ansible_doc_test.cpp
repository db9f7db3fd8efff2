// ansible-doc on the module as the package lays it out (the build tree holds the same layout): the
// documentation beside the compiled module is found under both names, and it documents the
// arguments the module reads and the results it gives. A layout without that file must fail, or
// the documentation would not be what was found.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

#include "ansible/arguments.h"
#include "ansible/result.h"
#include "support/core_support.h"

namespace {

constexpr int kAnsibleDocMs = 120000;
const QString kBuild = QStringLiteral(Q6CONFIG_ANSIBLE_BUILD);
const QString kCollection = kBuild + QStringLiteral("/" Q6CONFIG_COLLECTION_PATH);

struct DocRun {
  int code = -1;
  QString err;
  QJsonObject doc;  // the module's entry: doc, examples, return
};

struct DocRow {
  const char* name;
  const char* module;
  bool documented;  // false: the layout lacks the documentation file
};

void PrintTo(const DocRow& r, std::ostream* os) {
  *os << r.name;
}

class AnsibleDoc : public ::testing::TestWithParam<DocRow> {
 protected:
  void SetUp() override {
    program_ = QStandardPaths::findExecutable(QStringLiteral("ansible-doc"));
    if (program_.isEmpty()) {
      GTEST_SKIP() << "ansible-doc is not installed (scripts/install-test-deps.sh)";
    }
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("home")));
    ASSERT_TRUE(Q6Test::writeFile(dir_.filePath(QStringLiteral("ansible.cfg")), QByteArray()));
  }

  // The build tree's layout, or a copy of it without the documentation file.
  bool layOut(bool documented, QString* collections, QString* modules) {
    if (documented) {
      *collections = kBuild;
      *modules = kBuild + QStringLiteral("/modules");
      return true;
    }
    *collections = dir_.filePath(QStringLiteral("bare"));
    *modules = dir_.filePath(QStringLiteral("bare-modules"));
    const QString collection = *collections + QStringLiteral("/" Q6CONFIG_COLLECTION_PATH);
    const QString module =
        QFileInfo(kCollection + QStringLiteral("/plugins/modules/printer")).symLinkTarget();
    return !module.isEmpty() && QDir().mkpath(collection + QStringLiteral("/plugins/modules")) &&
           QDir().mkpath(collection + QStringLiteral("/meta")) && QDir().mkpath(*modules) &&
           QFile::copy(kCollection + QStringLiteral("/meta/runtime.yml"),
                       collection + QStringLiteral("/meta/runtime.yml")) &&
           QFile::link(module, collection + QStringLiteral("/plugins/modules/printer")) &&
           QFile::link(module, *modules + QStringLiteral("/q6config_printer"));
  }

  DocRun ansibleDoc(const QString& module, const QString& collections, const QString& modules) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir_.filePath(QStringLiteral("home")));
    env.insert("ANSIBLE_CONFIG", dir_.filePath(QStringLiteral("ansible.cfg")));
    env.insert("ANSIBLE_COLLECTIONS_PATH", collections);
    env.insert("ANSIBLE_LIBRARY", modules);
    env.insert("ANSIBLE_LOCAL_TEMP", dir_.filePath(QStringLiteral("home")));
    env.insert("ANSIBLE_NOCOLOR", "1");
    p.setProcessEnvironment(env);
    p.start(program_,
            {QStringLiteral("-j"), QStringLiteral("-t"), QStringLiteral("module"), module});
    DocRun run;
    if (!p.waitForFinished(kAnsibleDocMs)) {
      p.kill();
      p.waitForFinished(20000);
      run.err = QStringLiteral("ansible-doc did not finish");
      return run;
    }
    run.code = p.exitCode();
    run.err = QString::fromLocal8Bit(p.readAllStandardError());
    run.doc = QJsonDocument::fromJson(p.readAllStandardOutput()).object().value(module).toObject();
    return run;
  }

  QTemporaryDir dir_;
  QString program_;
};

QStringList sortedKeys(const QJsonObject& o) {
  QStringList keys = o.keys();
  keys.sort();
  return keys;
}

// How the module reads each argument, as the documentation must say it.
const std::map<QString, QString> kTypes{{"target", "str"},     {"model", "str"},  {"preset", "str"},
                                        {"settings", "dict"},  {"reset", "bool"}, {"force", "bool"},
                                        {"timeout_ms", "int"}, {"record", "path"}};

TEST_P(AnsibleDoc, FindsTheDocumentationOfTheArgumentsAndResults) {
  QString collections;
  QString modules;
  ASSERT_TRUE(layOut(GetParam().documented, &collections, &modules));
  const DocRun run = ansibleDoc(QLatin1String(GetParam().module), collections, modules);
  if (!GetParam().documented) {
    EXPECT_NE(run.code, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("documentation"))) << run.err.toStdString();
    EXPECT_TRUE(run.doc.isEmpty());
    return;
  }
  ASSERT_EQ(run.code, 0) << run.err.toStdString();
  const QJsonObject doc = run.doc.value("doc").toObject();
  ASSERT_FALSE(doc.isEmpty()) << run.err.toStdString();

  const QJsonObject options = doc.value("options").toObject();
  QStringList parameters = Q6Ansible::moduleParameters();
  parameters.sort();
  EXPECT_EQ(sortedKeys(options), parameters);
  for (const QString& name : Q6Ansible::moduleParameters()) {
    const QJsonObject option = options.value(name).toObject();
    EXPECT_FALSE(option.value("description").toArray().isEmpty()) << name.toStdString();
    const auto type = kTypes.find(name);
    ASSERT_NE(type, kTypes.end()) << name.toStdString() << " has no row here";
    EXPECT_EQ(option.value("type").toString(), type->second) << name.toStdString();
    EXPECT_EQ(option.value("required").toBool(), name == u"target") << name.toStdString();
  }
  EXPECT_EQ(options.value("model").toObject().value("choices").toArray(),
            (QJsonArray{"QLX500", "QLX600"}));

  const QJsonObject attributes = doc.value("attributes").toObject();
  for (const char* mode : {"check_mode", "diff_mode"}) {
    EXPECT_EQ(attributes.value(QLatin1String(mode)).toObject().value("support").toString(),
              QStringLiteral("full"))
        << mode;
  }
  const QString examples = run.doc.value("examples").toString();
  EXPECT_TRUE(examples.contains(QStringLiteral("q6config.printers.printer:")))
      << examples.toStdString();
  EXPECT_FALSE(examples.contains(QStringLiteral("q6config_printer:")))
      << "examples use the full name";

  // Every result the module gives beyond Ansible's own keys is documented.
  const Q6::Result<Q6Ansible::ModuleArguments> arguments = Q6Ansible::readModuleArguments(
      QJsonObject{{"target", "tcp://p1"},
                  {"model", "QLX600"},
                  {"_ansible_diff", true},
                  {"settings", QJsonObject{{"form-feed", "full-cut"}}}});
  ASSERT_TRUE(arguments);
  const QJsonObject result = Q6Ansible::moduleResult(
      *arguments, {{0,
                    R"({"notes": ["a note"], "record_error": "read-only", "targets": [{"target":
                        "tcp://p1", "status": "ok", "bytes": 3, "changed": true}]})",
                    QString()}});
  const QJsonObject returns = run.doc.value("return").toObject();
  const QSet<QString> ansibleOwn{"changed", "failed", "warnings", "diff"};
  QStringList undocumented;
  for (const QString& key : result.keys()) {
    if (!ansibleOwn.contains(key) && !returns.contains(key)) {
      undocumented << key;
    }
  }
  EXPECT_EQ(undocumented, QStringList()) << "returned, not documented";
  EXPECT_TRUE(result.contains("record_warning") && result.contains("warnings"))
      << "the result above no longer has every key";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnsibleDoc,
    ::testing::Values(DocRow{"collection", Q6Ansible::kModuleName, true},
                      DocRow{"short name", "q6config_printer", true},
                      DocRow{"collection without its documentation", Q6Ansible::kModuleName, false},
                      DocRow{"short name without documentation", "q6config_printer", false}),
    [](const ::testing::TestParamInfo<DocRow>& info) {
      QString name = QString::fromUtf8(info.param.name);
      name.replace(u' ', u'_');
      return name.toStdString();
    });

}  // namespace
