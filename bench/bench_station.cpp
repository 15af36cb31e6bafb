// The whole station as a user runs it: two test cameras, both started at start-up with
// surveillance on, the main window shown on the X display (else offscreen), then unmapped as
// on the tray. Its CPU time is measured from /proc beside, in the same run:
//  - generators: the same two test cameras producing frames into nothing (same pattern, same
//    noise); the station's net figure is what it adds to producing the frames;
//  - display pipeline: a bare GStreamer pipeline showing the same two streams in two X windows
//    of the station's view sizes (videoconvert ! videoscale ! ximagesink), net of the
//    generators as well;
//  - the motion daemon (Debian's `motion`, installed by hand as a measuring stick), twice:
//    fed the same frames from an uncompressed Y4M file in Y42B and in I420, 30 frames a second,
//    two cameras, detection on, no pictures or movies written.
// Each (size, scene) pair is one start of everything; the scenes are the bare test pattern
// ("still": only the ball moves) and the pattern with a sensor's noise on every row
// (TORVEK_TEST_CAMERA_NOISE=1).
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" ./bench_station [--size WxH] [--scene still|noisy]
//       [--seconds N] [--peer] [--rss-every N] [--views WxH,WxH]
//
// Without --size both 640x480 and 320x240 run; without --scene both scenes. --peer adds the
// display pipeline and the motion daemons. --rss-every N prints RSS every N seconds of the
// shown window (station, motion on Y42B). --views gives the station's view sizes on another
// screen than 1280x1024.
#include "platform/MediaDevices.h"
#include "platform/MediaInternal.h"

#include <gst/gst.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

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

// Resident set size of a process in MB, -1 when it is gone.
double RssMB(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return -1;
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

QSize ParseSize(const QString& text) {
    const QStringList wh = text.split('x');
    const QSize size(wh.value(0).toInt(), wh.size() == 2 ? wh[1].toInt() : 0);
    return size.width() >= 16 && size.height() >= 16 ? size : QSize();
}

QString SizeText(const QSize& size) {
    return QString("%1x%2").arg(size.width()).arg(size.height());
}

struct Options {
    QList<QSize> sizes{QSize(640, 480), QSize(320, 240)};
    QStringList scenes{"still", "noisy"};
    int seconds = 30;
    bool peer = false;
    int rssEvery = 0;
    // The two camera views of the main window on a 1280x1024 screen, whatever the frame size.
    QList<QSize> views{QSize(638, 885), QSize(638, 885)};
};

bool ParseOptions(const QStringList& args, Options& options) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool more = i + 1 < args.size();
        if (a == "--peer") {
            options.peer = true;
        } else if (a == "--rss-every" && more) {
            options.rssEvery = args[++i].toInt();
            if (options.rssEvery < 1) return false;
        } else if (a == "--size" && more) {
            options.sizes = {ParseSize(args[++i])};
            if (options.sizes[0].isEmpty()) return false;
        } else if (a == "--scene" && more) {
            options.scenes = {args[++i]};
            if (options.scenes[0] != "still" && options.scenes[0] != "noisy") return false;
        } else if (a == "--views" && more) {
            const QStringList views = args[++i].split(',');
            options.views = {ParseSize(views.value(0)), ParseSize(views.value(1))};
            if (views.size() != 2 || options.views[0].isEmpty() || options.views[1].isEmpty()) return false;
        } else if (a == "--seconds" && more) {
            options.seconds = args[++i].toInt();
            if (options.seconds < 5) return false;
        } else {
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------- the peers' own side

// The test cameras of this process (TORVEK_TEST_CAMERAS and its companions in the environment),
// each as a new source element.
std::vector<GstElement*> TestCameraSources() {
    std::vector<GstElement*> sources;
    if (!platform::MediaInitialize()) return sources;
    GstDeviceProvider* provider =
        gst_device_provider_factory_get_by_name(platform::media_internal::kTestProviderName);
    if (!provider) return sources;
    GList* devices = gst_device_provider_get_devices(provider);
    for (GList* d = devices; d; d = d->next)
        if (GstElement* e = gst_device_create_element(GST_DEVICE(d->data), nullptr)) sources.push_back(e);
    g_list_free_full(devices, gst_object_unref);
    gst_object_unref(provider);
    return sources;
}

GstElement* Element(const char* factory, const char* caps = nullptr) {
    GstElement* e = gst_element_factory_make(factory, nullptr);
    if (e && caps) {
        GstCaps* c = gst_caps_from_string(caps);
        g_object_set(e, "caps", c, nullptr);
        gst_caps_unref(c);
    }
    return e;
}

bool AddLinked(GstElement* pipeline, const std::vector<GstElement*>& chain) {
    for (GstElement* e : chain)
        if (!e || !gst_bin_add(GST_BIN(pipeline), e)) return false;
    for (size_t i = 1; i < chain.size(); ++i)
        if (!gst_element_link(chain[i - 1], chain[i])) return false;
    return true;
}

// Runs the pipeline until it ends (a file written) or, untilKilled, until the process is
// ended; 0 on a clean end.
int RunPipeline(GstElement* pipeline, bool untilKilled) {
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) return 1;
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, untilKilled ? GST_CLOCK_TIME_NONE : 120 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const int result = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS ? 0 : 1;
    if (message) gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return result;
}

// `--serve generator`: the test cameras' frames into nothing. `--serve display WxH,WxH`: shown
// in X windows of those sizes. `--serve y4m FORMAT FILE`: ten seconds of camera 1 as a Y4M file.
int Serve(const QStringList& args) {
    const QString what = args.value(0);
    std::vector<GstElement*> sources = TestCameraSources();
    if (sources.empty()) return 1;
    GstElement* pipeline = gst_pipeline_new(nullptr);
    bool ok = true;
    if (what == "generator") {
        for (GstElement* source : sources)
            ok = ok && AddLinked(pipeline, {source, Element("fakesink")});
    } else if (what == "display") {
        const QStringList views = args.value(1).split(',');
        for (size_t i = 0; ok && i < sources.size(); ++i) {
            const QSize view = ParseSize(views.value(int(i)));
            const QByteArray caps = QString("video/x-raw,width=%1,height=%2,pixel-aspect-ratio=1/1")
                                        .arg(view.width())
                                        .arg(view.height())
                                        .toUtf8();
            GstElement* scale = Element("videoscale");
            if (scale) gst_util_set_object_arg(G_OBJECT(scale), "method", "nearest-neighbour");
            GstElement* sink = Element("ximagesink");
            if (sink) g_object_set(sink, "sync", FALSE, "force-aspect-ratio", FALSE, nullptr);
            ok = !view.isEmpty() && AddLinked(pipeline, {sources[i], Element("videoconvert"), scale,
                                                         Element("capsfilter", caps.constData()), sink});
        }
    } else if (what == "y4m") {
        GstElement* source = sources.front();
        if (GstElement* pattern = gst_bin_get_by_name(GST_BIN(source), "pattern")) {
            g_object_set(pattern, "is-live", FALSE, "num-buffers", 300, nullptr);
            gst_object_unref(pattern);
        }
        const QByteArray caps = ("video/x-raw,format=" + args.value(1)).toUtf8();
        GstElement* sink = Element("filesink");
        if (sink) g_object_set(sink, "location", args.value(2).toLocal8Bit().constData(), nullptr);
        ok = AddLinked(pipeline, {source, Element("videoconvert"), Element("capsfilter", caps.constData()),
                                  Element("y4menc"), sink});
        for (size_t i = 1; i < sources.size(); ++i)
            gst_object_unref(gst_object_ref_sink(sources[i]));
    } else {
        ok = false;
    }
    if (!ok) {
        gst_object_unref(pipeline);
        return 1;
    }
    return RunPipeline(pipeline, what != "y4m");
}

// ---------------------------------------------------------------- the measuring side

bool WriteFile(const QString& name, const QString& text) {
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

// A motion daemon's configuration in its own folder: two cameras reading the input file.
bool WriteMotionConfig(const QString& folder, const QString& input, const QSize& size) {
    if (!QDir().mkpath(folder)) return false;
    QString main = QString("daemon off\nsetup_mode off\nlog_level 4\nlog_file %1/motion.log\n"
                           "webcontrol_port 0\nstream_port 0\ntext_left CAMERA\n"
                           "text_right %Y-%m-%d\\n%T-%q\nthreshold 1500\ndespeckle_filter EedDl\n"
                           "minimum_motion_frames 1\nevent_gap 60\npre_capture 3\npost_capture 0\n"
                           "picture_output off\nmovie_output off\n")
                       .arg(folder);
    for (int c = 1; c <= 2; ++c) {
        const QString camera = QString("%1/camera%2.conf").arg(folder).arg(c);
        if (!WriteFile(camera, QString("camera_id %1\ncamera_name cam%1\nnetcam_url file://%2\nwidth %3\n"
                                       "height %4\nframerate 30\ntarget_dir %5/cam%1\n")
                                   .arg(c)
                                   .arg(input)
                                   .arg(size.width())
                                   .arg(size.height())
                                   .arg(folder)))
            return false;
        main += QString("camera %1\n").arg(camera);
    }
    return WriteFile(folder + "/motion.conf", main);
}

// Both test cameras start with the station, surveillance on, their zones ticked.
bool SwitchSurveillanceOn(const QString& settings) {
    QFile file(settings);
    if (!file.open(QIODevice::ReadWrite)) return false;
    QByteArray record = file.readAll();
    if (record.size() != 2 * kRecord) return false;
    record[kRecord + 804] = 1;  // AutoStart1
    record[kRecord + 805] = 1;  // AutoStart2
    record[kRecord + 2189] = 1; // HotZone1
    record[kRecord + 2190] = 1; // HotZone2
    record[kRecord + 2192] = 1; // StartMotionAtStart
    file.seek(0);
    return file.write(record) == record.size() && file.flush();
}

int CountFiles(const QString& folder) {
    int count = 0;
    for (const char* camera : {"cam1", "cam2"})
        count += int(QDir(folder + "/" + QString::fromLatin1(camera)).entryList({"*.jpg"}, QDir::Files).size());
    return count;
}

// One process whose CPU time is read at the edges of a window.
struct Measured {
    QString name;
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    double start = 0, rate = 0;
    qint64 Pid() const { return process->processId(); }
    bool Begin() { return (start = CpuSeconds(Pid())) >= 0; }
    bool End(int seconds) {
        const double now = CpuSeconds(Pid());
        rate = (now - start) / seconds;
        return now >= 0 && process->state() == QProcess::Running;
    }
};

struct Figures {
    double station = 0, generators = 0, display = 0, motionY42B = 0, motionI420 = 0;
    double Net() const { return station - generators; }
    double DisplayNet() const { return display - generators; }
};

void PrintFigures(const char* window, const Figures& f, bool peer) {
    std::printf("  %-7s station %.3f  generators %.3f  net %.3f CPU-s/s", window, f.station, f.generators, f.Net());
    if (!peer) {
        std::printf("\n");
        return;
    }
    std::printf("  display-net %.3f  motion Y42B %.3f  I420 %.3f\n", f.DisplayNet(), f.motionY42B, f.motionI420);
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("  %-7s station/Motion Y42B %.2f  station/Motion I420 %.2f  station/display-pipeline %.2f\n",
                window, ratio(f.Net(), f.motionY42B), ratio(f.Net(), f.motionI420), ratio(f.Net(), f.DisplayNet()));
}

class Phase {
public:
    Phase(const QString& exe, const QString& self, const QString& folder, const Options& o, const QSize& size,
          bool noisy)
        : exe_(exe), self_(self), folder_(folder), o_(o), size_(size), noisy_(noisy) {
        env_ = QProcessEnvironment::systemEnvironment();
        onDisplay_ = !env_.value("DISPLAY").isEmpty();
        env_.insert("QT_QPA_PLATFORM", onDisplay_ ? "xcb" : "offscreen");
        env_.insert("TORVEK_TEST_CAMERAS", "2");
        env_.insert("TORVEK_TEST_CAMERA_SIZE", SizeText(size));
        if (noisy)
            env_.insert("TORVEK_TEST_CAMERA_NOISE", "1");
        else
            env_.remove("TORVEK_TEST_CAMERA_NOISE");
    }
    ~Phase() {
        for (Measured* m : All()) Stop(*m->process);
    }

    int Run() {
        if (o_.peer && !StartPeers()) return 2;
        if (!Start(generators_, self_, {"--serve", "generator"})) return 1;
        const int before = CountFiles(folder_);
        station_.process->setWorkingDirectory(folder_);
        if (!Start(station_, exe_, {})) return 1;
        // Both cameras start and surveillance runs; give start-up its time.
        QThread::sleep(10);
        if (station_.process->state() != QProcess::Running) {
            std::fprintf(stderr, "the station ended during start-up\n");
            return 1;
        }
        std::printf("size %s, scene %s, %d s a window, views %s and %s\n", qPrintable(SizeText(size_)),
                    noisy_ ? "noisy" : "still", o_.seconds, qPrintable(SizeText(o_.views[0])),
                    qPrintable(SizeText(o_.views[1])));
        Figures shown;
        const int pictures = CountFiles(folder_);
        if (!Measure(shown, true)) return 1;
        const double stationRss = RssMB(station_.Pid());
        const double motionRss = o_.peer ? RssMB(motionY42B_.Pid()) : 0;
        std::printf("  pictures saved: %d at start-up, %d in the shown window\n", pictures - before,
                    CountFiles(folder_) - pictures);
        PrintFigures("shown", shown, o_.peer);
        std::printf("  RSS     station %.1f MB", stationRss);
        if (o_.peer) std::printf("  motion Y42B %.1f MB", motionRss);
        std::printf("\n");
        if (onDisplay_ && !QStandardPaths::findExecutable("xdotool").isEmpty()) {
            if (!Unmap()) return 1;
            Figures hidden;
            if (!Measure(hidden, false)) return 1;
            PrintFigures("hidden", hidden, o_.peer);
        }
        std::fflush(stdout);
        return 0;
    }

private:
    std::vector<Measured*> All() { return {&station_, &generators_, &display_, &motionY42B_, &motionI420_}; }

    bool Start(Measured& m, const QString& program, const QStringList& args) {
        m.process->setProcessEnvironment(env_);
        m.process->setStandardOutputFile(QProcess::nullDevice());
        m.process->setStandardErrorFile(QProcess::nullDevice());
        m.process->start(program, args);
        if (m.process->waitForStarted(10000)) return true;
        std::fprintf(stderr, "%s did not start\n", qPrintable(program));
        return false;
    }

    bool StartPeers() {
        const QString motion = QStandardPaths::findExecutable("motion");
        if (motion.isEmpty()) {
            std::fprintf(stderr, "--peer needs the motion daemon (apt-get install motion)\n");
            return false;
        }
        if (!onDisplay_) {
            std::fprintf(stderr, "--peer needs an X display for the display pipeline\n");
            return false;
        }
        for (auto [format, daemon] : {std::pair{"Y42B", &motionY42B_}, std::pair{"I420", &motionI420_}}) {
            const QString input = QString("%1/peer-%2.y4m").arg(folder_, format);
            QProcess make;
            make.setProcessEnvironment(env_);
            make.start(self_, {"--serve", "y4m", format, input});
            const QString own = QString("%1/motion-%2").arg(folder_, format);
            if (!make.waitForFinished(120000) || make.exitCode() != 0 || QFileInfo(input).size() == 0 ||
                !WriteMotionConfig(own, input, size_)) {
                std::fprintf(stderr, "the motion daemon's input could not be made\n");
                return false;
            }
            if (!Start(*daemon, motion, {"-n", "-c", own + "/motion.conf"})) return false;
        }
        return Start(display_, self_,
                     {"--serve", "display", SizeText(o_.views[0]) + "," + SizeText(o_.views[1])});
    }

    bool Measure(Figures& f, bool withRss) {
        std::vector<Measured*> running;
        for (Measured* m : All())
            if (m->process->state() == QProcess::Running) running.push_back(m);
        const double load0 = LoadAverage();
        for (Measured* m : running)
            if (!m->Begin()) return Ended();
        if (withRss && o_.rssEvery > 0)
            std::printf("  RSS (MB) every %d s: station%s\n", o_.rssEvery, o_.peer ? ", motion Y42B" : "");
        for (int waited = 0; waited < o_.seconds;) {
            const int step = withRss && o_.rssEvery > 0 ? std::min(o_.rssEvery, o_.seconds - waited) : o_.seconds;
            QThread::sleep(unsigned(step));
            waited += step;
            if (withRss && o_.rssEvery > 0) {
                std::printf("    %5d s  %.1f", waited, RssMB(station_.Pid()));
                if (o_.peer) std::printf("  %.1f", RssMB(motionY42B_.Pid()));
                std::printf("\n");
                std::fflush(stdout);
            }
        }
        for (Measured* m : running)
            if (!m->End(o_.seconds)) return Ended();
        f = {station_.rate, generators_.rate, display_.rate, motionY42B_.rate, motionI420_.rate};
        std::printf("  load %.1f..%.1f\n", load0, LoadAverage());
        return true;
    }

    static bool Ended() {
        std::fprintf(stderr, "a measured process ended during the run\n");
        return false;
    }

    // As the window manager does for a window on the tray or minimised: unmapped, nothing exposed.
    bool Unmap() {
        QProcess find;
        find.start("xdotool", {"search", "--onlyvisible", "--pid", QString::number(station_.Pid())});
        find.waitForFinished(10000);
        const QStringList windows = QString::fromLatin1(find.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        for (const QString& window : windows)
            QProcess::execute("xdotool", {"windowunmap", window});
        if (windows.isEmpty()) {
            std::fprintf(stderr, "no window of the station to unmap\n");
            return false;
        }
        QThread::sleep(2);
        return true;
    }

    QString exe_, self_, folder_;
    const Options& o_;
    QSize size_;
    bool noisy_;
    bool onDisplay_ = false;
    QProcessEnvironment env_;
    Measured station_, generators_, display_, motionY42B_, motionI420_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == "--serve") return Serve(app.arguments().mid(2));
    Options o;
    if (!ParseOptions(app.arguments(), o)) {
        std::fprintf(stderr, "usage: bench_station [--size WxH] [--scene still|noisy] [--seconds N>=5] [--peer] "
                             "[--rss-every N] [--views WxH,WxH]\n");
        return 2;
    }
    const QString built = QDir::cleanPath(app.applicationDirPath() + "/../app/torvek");
    if (!QFileInfo::exists(built)) {
        std::fprintf(stderr, "needs the built station (%s)\n", qPrintable(built));
        return 2;
    }
    QTemporaryDir folder;
    const QString exe = folder.filePath("torvek");
    const QString settings = folder.filePath("X290607.dat");
    if (!folder.isValid() || !QFile::copy(built, exe)) {
        std::fprintf(stderr, "cannot copy the station into a temporary folder\n");
        return 2;
    }

    // A first run lays down the settings file; both cameras then start with surveillance.
    {
        QProcess station;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TORVEK_TEST_CAMERAS", "2");
        station.setProcessEnvironment(env);
        station.setWorkingDirectory(folder.path());
        station.setStandardOutputFile(QProcess::nullDevice());
        station.setStandardErrorFile(QProcess::nullDevice());
        station.start(exe);
        const bool laid = station.waitForStarted(10000) &&
                          WaitUntil([&] { return QFileInfo(settings).size() == 2 * kRecord; }, 60000);
        Stop(station);
        if (!laid || !SwitchSurveillanceOn(settings)) {
            std::fprintf(stderr, "the station laid down no settings file\n");
            return 1;
        }
    }

    for (const QSize& size : o.sizes) {
        for (const QString& scene : o.scenes) {
            Phase phase(exe, app.applicationFilePath(), folder.path(), o, size, scene == "noisy");
            if (const int failed = phase.Run()) return failed;
        }
    }
    return 0;
}
