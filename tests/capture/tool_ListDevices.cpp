// Prints the four device lists and the modes of every video source.
// TORVEK_TEST_CAMERAS=2 ./tool_ListDevices   lists two test-pattern cameras.
#include "capture/CaptureDevices.h"
#include "capture/CaptureModes.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    EnumerateAllDevices();
    const struct {
        const char* Title;
        const TCapDeviceList& List;
    } lists[] = {{"Video inputs", VideoInputDevices},
                 {"Audio inputs", AudioInputDevices},
                 {"Video compressors", VideoCompressorDevices},
                 {"Audio compressors", AudioCompressorDevices}};
    for (const auto& l : lists) {
        out << l.Title << " (" << l.List.size() << "):\n";
        for (int i = 0; i < l.List.size(); ++i) {
            const TCapDeviceInfo& info = l.List[i];
            out << "  " << i << ": \"" << info.Name << "\"  [" << info.Moniker->Key() << "]\n";
            if (&l.List != &VideoInputDevices) continue;
            auto config = platform::CreateDeviceStreamConfig(info.Moniker);
            const int count = config ? config->GetNumberOfCapabilities() : 0;
            for (int m = 0; m < count; ++m) {
                platform::MediaType type;
                platform::MediaStreamCaps caps;
                if (!config->GetStreamCaps(m, type, caps)) continue;
                const TVideoMode mode = VideoModeFromMediaType(type, &caps);
                out << "      mode " << m << ": " << DescribeVideoMode(mode)
                    << QString("  %1-%2 fps")
                           .arg(mode.MinFrameRate, 0, 'f', 1)
                           .arg(mode.MaxFrameRate, 0, 'f', 1)
                    << "\n";
            }
        }
    }
    return 0;
}
