// Start-up benchmark: from launch to the first painted main window, headless. One measurement per
// process (a second window in the same process would find Qt warmed up); bench/startup.sh runs it
// several times and reports the median.
//
// With --baseline it shows, instead of the main window, an empty window of the same size holding a
// QTabWidget of seven pages: what any Qt program pays before the first frame, for comparison.
// The main window speaks the language the environment asks for, as the program does.
//
// Prints "startup_ms <since launch> <since main>". The launch time comes from the launching
// script (Q6_BENCH_LAUNCH_NS, CLOCK_REALTIME nanoseconds), so that loading the program and its
// libraries is counted too; without it the first figure equals the second.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "gui/common/translation.h"
#include "gui/main_window/main_window.h"

namespace {

long long realtimeNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Stops the clock once the window's first frame is complete (its own paint and those of the
// controls on the shown tab, which follow in the same pass) and ends the program.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painting) {
      painting = true;
      QTimer::singleShot(0, qApp, [this] {
        elapsedNs = sinceMain.nsecsElapsed();
        paintedAt = realtimeNs();
        QCoreApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }
  QElapsedTimer sinceMain;
  bool painting = false;
  long long elapsedNs = -1;
  long long paintedAt = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const long long enteredAt = realtimeNs();
  FirstPaint watch;
  watch.sinceMain.start();

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  // A store of its own: the benchmark neither reads nor changes the operator's settings.
  QTemporaryDir store;
  qputenv("XDG_CONFIG_HOME", store.path().toLocal8Bit());

  QApplication app(argc, argv);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store.path());
  const bool baseline = argc > 1 && std::strcmp(argv[1], "--baseline") == 0;
  std::unique_ptr<QWidget> window;
  if (baseline) {
    window = std::make_unique<QWidget>();
    window->setFixedSize(525, 362);
    auto* tabs = new QTabWidget(window.get());
    tabs->setGeometry(0, 0, 525, 361);
    for (const char* caption :
         {"Main", "General", "Quality", "Tickets", "Characters", "Emulation", "Tests"}) {
      tabs->addTab(new QWidget, QString::fromLatin1(caption));
    }
  } else {
    // As the program starts: in the language the environment asks for (startup.sh sets it).
    Q6::loadTranslation(app, Q6::LocaleEnvironment::current());
    window = std::make_unique<frmMain>();
    QApplication::setWindowIcon(window->windowIcon());
  }
  window->installEventFilter(&watch);
  window->show();
  QTimer::singleShot(10000, &app, &QCoreApplication::quit);  // never hang a benchmark run
  QApplication::exec();

  if (watch.elapsedNs < 0) {
    std::fprintf(stderr, "the main window was never painted\n");
    return 1;
  }
  const QByteArray launch = qgetenv("Q6_BENCH_LAUNCH_NS");
  bool ok = false;
  const long long launchedAt = launch.toLongLong(&ok);
  const double sinceMainMs = static_cast<double>(watch.elapsedNs) / 1e6;
  const double sinceLaunchMs = ok && launchedAt <= enteredAt
                                   ? static_cast<double>(watch.paintedAt - launchedAt) / 1e6
                                   : sinceMainMs;
  std::printf("startup_ms %.1f %.1f\n", sinceLaunchMs, sinceMainMs);
  return 0;
}
