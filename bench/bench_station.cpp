// The whole station as a user runs it: two test cameras, both started at start-up with
// surveillance on, the main window shown (on the X display when there is one, else
// offscreen). Its CPU time is measured from /proc beside two gst-launch-1.0 generators of the
// same pattern in the same run; the net figure is what the station adds to producing the
// frames.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" ./bench_station [--size 640x480] [--seconds 45]
//       [--hidden] [--peer] [--rss-every N]
//
// --hidden unmaps the station's windows once it runs (needs an X display and xdotool).
// --peer runs the motion daemon (Debian's `motion`, installed by hand as a measuring stick)
// over the same pattern in the same run: it reads it as an uncompressed Y4M file at 30 frames
// a second, two cameras, detection on, no pictures or movies written. Its CPU time and RSS are
// measured over the same window as the station's.
// --rss-every N prints the RSS of the station (and the peer) every N seconds.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kRecord = 2704; // one settings record; the file holds two

// User plus system CPU seconds of a process (all its threads), -1 when it is gone.
double CpuSeconds(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray text = stat.readAll();
    const int close = text.lastIndexOf(')');
    if (close < 0) return -1;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    if (fields.size() < 13) return -1;
    // After the name: state is field 3, utime 14 and stime 15 (1-based, whole line).
    const double ticks = fields[11].toDouble() + fields[12].toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

double LoadAverage() {
    QFile file("/proc/loadavg");
    if (!file.open(QIODevice::ReadOnly)) return -1;
    return file.readAll().split(' ').value(0).toDouble();
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited < ms; waited += 100) {
        if (done()) return true;
        QThread::msleep(100);
    }
    return done();
}

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

struct Options {
    int width = 640, height = 480;
    int seconds = 45;
    bool hidden = false;
    bool peer = false;
    int rssEvery = 0;
};

bool ParseOptions(const QStringList& args, Options& options) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--hidden") {
            options.hidden = true;
        } else if (a == "--peer") {
            options.peer = true;
        } else if (a == "--rss-every" && i + 1 < args.size()) {
            options.rssEvery = args[++i].toInt();
            if (options.rssEvery < 1) return false;
        } else if (a == "--size" && i + 1 < args.size()) {
            const QStringList wh = args[++i].split('x');
            options.width = wh.value(0).toInt();
            options.height = wh.size() == 2 ? wh[1].toInt() : 0;
            if (options.width < 16 || options.height < 16) return false;
        } else if (a == "--seconds" && i + 1 < args.size()) {
            options.seconds = args[++i].toInt();
            if (options.seconds < 5) return false;
        } else {
            return false;
        }
    }
    return true;
}

QString Generator(const Options& o) {
    return QString("videotestsrc is-live=true pattern=ball ! video/x-raw,format=YUY2,width=%1,"
                   "height=%2,framerate=30/1 ! fakesink")
        .arg(o.width)
        .arg(o.height);
}

// Resident set size of a process in MB, -1 when it is gone.
double RssMB(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return -1;
}

// The peer's input: ten seconds of the same pattern, played in a loop at 30 frames a second.
bool MakePeerInput(const QString& launcher, const Options& o, const QString& file) {
    QProcess make;
    make.start(launcher, QProcess::splitCommand(
                             QString("-q videotestsrc pattern=ball num-buffers=300 ! video/x-raw,format=YUY2,"
                                     "width=%1,height=%2,framerate=30/1 ! videoconvert ! video/x-raw,format=Y42B ! "
                                     "y4menc ! filesink location=%3")
                                 .arg(o.width)
                                 .arg(o.height)
                                 .arg(file)));
    return make.waitForFinished(120000) && make.exitCode() == 0 && QFileInfo(file).size() > 0;
}

bool WritePeerConfig(const QString& folder, const QString& input, const Options& o) {
    auto write = [](const QString& name, const QString& text) {
        QFile f(name);
        return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
    };
    QString main = QString("daemon off\nsetup_mode off\nlog_level 4\nlog_file %1/motion.log\n"
                           "webcontrol_port 0\nstream_port 0\ntext_left CAMERA\n"
                           "text_right %Y-%m-%d\\n%T-%q\nthreshold 1500\ndespeckle_filter EedDl\n"
                           "minimum_motion_frames 1\nevent_gap 60\npre_capture 3\npost_capture 0\n"
                           "picture_output off\nmovie_output off\n")
                       .arg(folder);
    for (int c = 1; c <= 2; ++c) {
        const QString camera = QString("%1/camera%2.conf").arg(folder).arg(c);
        if (!write(camera, QString("camera_id %1\ncamera_name cam%1\nnetcam_url file://%2\nwidth %3\n"
                                   "height %4\nframerate 30\ntarget_dir %5/cam%1\n")
                               .arg(c)
                               .arg(input)
                               .arg(o.width)
                               .arg(o.height)
                               .arg(folder)))
            return false;
        main += QString("camera %1\n").arg(camera);
    }
    return write(folder + "/motion.conf", main);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options o;
    if (!ParseOptions(app.arguments(), o)) {
        std::fprintf(stderr, "usage: bench_station [--size WxH] [--seconds N>=5] [--hidden] [--peer] "
                             "[--rss-every N]\n");
        return 2;
    }
    const QString built = QDir::cleanPath(app.applicationDirPath() + "/../app/torvek");
    const QString launcher = QStandardPaths::findExecutable("gst-launch-1.0");
    if (!QFileInfo::exists(built) || launcher.isEmpty()) {
        std::fprintf(stderr, "needs the built station (%s) and gst-launch-1.0\n", qPrintable(built));
        return 2;
    }
    QTemporaryDir folder;
    const QString exe = folder.filePath("torvek");
    const QString settings = folder.filePath("X290607.dat");
    if (!folder.isValid() || !QFile::copy(built, exe)) {
        std::fprintf(stderr, "cannot copy the station into a temporary folder\n");
        return 2;
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const bool onDisplay = !env.value("DISPLAY").isEmpty();
    if (o.hidden && (!onDisplay || QStandardPaths::findExecutable("xdotool").isEmpty())) {
        std::fprintf(stderr, "--hidden needs an X display and xdotool\n");
        return 2;
    }
    env.insert("QT_QPA_PLATFORM", onDisplay ? "xcb" : "offscreen");
    env.insert("TORVEK_TEST_CAMERAS", "2");
    env.insert("TORVEK_TEST_CAMERA_SIZE", QString("%1x%2").arg(o.width).arg(o.height));
    QProcess station;
    station.setProcessEnvironment(env);
    station.setWorkingDirectory(folder.path());
    station.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    station.setStandardOutputFile(QProcess::nullDevice());

    // A first run lays down the settings file; both cameras then start with surveillance.
    station.start(exe);
    const bool laid = station.waitForStarted(10000) &&
                      WaitUntil([&] { return QFileInfo(settings).size() == 2 * kRecord; }, 60000);
    Stop(station);
    QFile file(settings);
    if (!laid || !file.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "the station laid down no settings file\n");
        return 1;
    }
    QByteArray record = file.readAll();
    record[kRecord + 804] = 1;  // AutoStart1
    record[kRecord + 805] = 1;  // AutoStart2
    record[kRecord + 2189] = 1; // HotZone1
    record[kRecord + 2190] = 1; // HotZone2
    file.seek(0);
    if (file.write(record) != record.size() || !file.flush()) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return 1;
    }
    file.close();

    QProcess peer;
    const QString motion = QStandardPaths::findExecutable("motion");
    if (o.peer) {
        const QString input = folder.filePath("peer.y4m");
        if (motion.isEmpty() || !MakePeerInput(launcher, o, input) ||
            !WritePeerConfig(folder.path(), input, o)) {
            std::fprintf(stderr, "--peer needs the motion daemon and room for its input\n");
            return 2;
        }
        peer.setStandardOutputFile(QProcess::nullDevice());
        peer.setStandardErrorFile(QProcess::nullDevice());
        peer.start(motion, {"-n", "-c", folder.filePath("motion.conf")});
        if (!peer.waitForStarted(10000)) {
            std::fprintf(stderr, "the motion daemon did not start\n");
            return 1;
        }
    }

    std::vector<std::unique_ptr<QProcess>> generators;
    for (int i = 0; i < 2; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setStandardOutputFile(QProcess::nullDevice());
        p->setStandardErrorFile(QProcess::nullDevice());
        p->start(launcher, QProcess::splitCommand(Generator(o)));
        generators.push_back(std::move(p));
    }
    station.start(exe);
    if (!station.waitForStarted(10000)) {
        std::fprintf(stderr, "the station did not start\n");
        return 1;
    }
    // Both cameras save into their folders once surveillance runs; give start-up its time.
    QThread::sleep(10);
    if (station.state() != QProcess::Running) {
        std::fprintf(stderr, "the station ended during start-up\n");
        Stop(peer);
        return 1;
    }
    const qint64 pid = station.processId();
    if (o.hidden) {
        // As the window manager does for a minimised window: unmapped, nothing exposed.
        QProcess find;
        find.start("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)});
        find.waitForFinished(10000);
        const QStringList windows =
            QString::fromLatin1(find.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        for (const QString& window : windows)
            QProcess::execute("xdotool", {"windowunmap", window});
        if (windows.isEmpty()) {
            std::fprintf(stderr, "--hidden needs an X display and xdotool\n");
            Stop(station);
            for (auto& g : generators) Stop(*g);
            Stop(peer);
            return 1;
        }
        QThread::sleep(2);
    }
    auto sum = [](const std::vector<std::unique_ptr<QProcess>>& list) {
        double total = 0;
        for (const auto& process : list) {
            const double s = CpuSeconds(process->processId());
            if (s < 0) return -1.0;
            total += s;
        }
        return total;
    };
    const qint64 peerPid = o.peer ? peer.processId() : 0;
    const double s0 = CpuSeconds(pid), g0 = sum(generators);
    const double p0 = o.peer ? CpuSeconds(peerPid) : 0;
    const double load0 = LoadAverage();
    if (o.rssEvery > 0) std::printf("RSS (MB) every %d s: station%s\n", o.rssEvery, o.peer ? ", peer" : "");
    for (int waited = 0; waited < o.seconds;) {
        const int step = o.rssEvery > 0 ? std::min(o.rssEvery, o.seconds - waited) : o.seconds;
        QThread::sleep(unsigned(step));
        waited += step;
        if (o.rssEvery > 0 && waited % o.rssEvery == 0) {
            std::printf("  %5d s  %.1f", waited, RssMB(pid));
            if (o.peer) std::printf("  %.1f", RssMB(peerPid));
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    const double s1 = CpuSeconds(pid), g1 = sum(generators);
    const double p1 = o.peer ? CpuSeconds(peerPid) : 0;
    const double load1 = LoadAverage();
    const double stationRss = RssMB(pid), peerRss = o.peer ? RssMB(peerPid) : 0;
    const bool alive = station.state() == QProcess::Running && s1 >= 0 && g1 >= 0 &&
                       (!o.peer || (peer.state() == QProcess::Running && p1 >= 0));
    Stop(station);
    for (auto& g : generators) Stop(*g);
    Stop(peer);
    if (!alive || s0 < 0 || g0 < 0 || p0 < 0) {
        std::fprintf(stderr, "a measured process ended during the run\n");
        return 1;
    }

    const double secs = o.seconds;
    const double stationRate = (s1 - s0) / secs;
    const double generatorRate = (g1 - g0) / secs;
    const double net = stationRate - generatorRate;
    std::printf("size %dx%d, %d s, window %s on %s, load %.1f..%.1f\n", o.width, o.height,
                o.seconds, o.hidden ? "unmapped" : "shown", onDisplay ? "X" : "offscreen",
                load0, load1);
    std::printf("station    %.3f CPU-s/s, RSS %.1f MB\n", stationRate, stationRss);
    std::printf("generators %.3f CPU-s/s (two)\n", generatorRate);
    std::printf("net        %.3f CPU-s/s, %.4f per camera-second\n", net, net / 2);
    if (o.peer) {
        const double peerRate = (p1 - p0) / secs;
        std::printf("peer       %.3f CPU-s/s, RSS %.1f MB (motion, two cameras)\n", peerRate, peerRss);
        std::printf("ratio      %.2f (net / peer)\n", peerRate > 0 ? net / peerRate : 0.0);
    }
    return 0;
}
