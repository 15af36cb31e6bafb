// The station as its own process, with a script of the set-up panel: "set" opens the panel,
// sets options on its tabs and closes it; "show" prints the controls once the start-up
// sequence has run; "restart" restarts the station. Messages are printed, not shown. Used by
// test_SetupPanelRestart and test_OneStationPerFolder.
#include "app/ProgramStartup.h"
#include "app/Tzones.h"
#include "core/MessageBox.h"
#include "platform/NetCall.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {

Tzones* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* zones = qobject_cast<Tzones*>(widget))
            return zones;
    return nullptr;
}

void Say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void SetOptions(Tzones& z) {
    z.Button24->click();
    z.TabControl1->setCurrentIndex(1);
    z.AutoStart1->setChecked(true);
    z.placeonsystray->setChecked(true);
    z.TabControl1->setCurrentIndex(2);
    z.smtpEdit->setText(QStringLiteral(" mail.example.org "));
    z.UserEdit->setText(QStringLiteral("alice"));
    z.PassEdit->setText(QStringLiteral("pa55word"));
    z.ReplyEmailAddressText->setText(QStringLiteral("alice@example.org"));
    z.AlertEmail->setText(QStringLiteral("bob@example.org"));
    z.siteLocation->setText(QStringLiteral("Barn"));
    z.TabControl1->setCurrentIndex(3);
    z.samplerate->setValue(650);
    z.mastersent->setValue(9);
    z.RGBGreen->setChecked(false);
    z.TabControl1->setCurrentIndex(4);
    z.Broadband->click();
    z.diskcontrol->setChecked(false);
    z.alarm->setChecked(true);
    z.Button11->click();
    Say(QStringLiteral("options set"));
}

void ShowControls(Tzones& z) {
    const auto box = [](const QAbstractButton* b) { return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); };
    const std::pair<const char*, QString> values[] = {
        {"AutoStart1", box(z.AutoStart1)},
        {"placeonsystray", box(z.placeonsystray)},
        {"smtpEdit", z.smtpEdit->text()},
        {"UserEdit", z.UserEdit->text()},
        {"PassEdit", z.PassEdit->text()},
        {"ReplyEmailAddressText", z.ReplyEmailAddressText->text()},
        {"AlertEmail", z.AlertEmail->text()},
        {"siteLocation", z.siteLocation->text()},
        {"samplerate", QString::number(z.samplerate->value())},
        {"MotionTime", QString::number(z.MotionTime.Interval())},
        {"mastersent", QString::number(z.mastersent->value())},
        {"lablee", z.lablee->text()},
        {"RGBGreen", box(z.RGBGreen)},
        {"Broadband", box(z.Broadband)},
        {"diskcontrol", box(z.diskcontrol)},
        {"alarm", box(z.alarm)},
        {"TabControl1", QString::number(z.TabControl1->currentIndex())},
        {"minimized", z.isMinimized() ? QStringLiteral("1") : QStringLiteral("0")},
        {"visible", z.isVisible() ? QStringLiteral("1") : QStringLiteral("0")},
    };
    for (const auto& [name, value] : values)
        Say(QStringLiteral("control %1=%2").arg(QString::fromLatin1(name), value));
    Say(QStringLiteral("controls end"));
}

} // namespace

int main(int argc, char** argv) {
    platform::NetCall::GlobalInit();
    QApplication app(argc, argv);
    const QString role = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    SetMessageBoxHandler([](const QString& text) { Say(QStringLiteral("[message box] ") + text); });
    bool done = false;
    QTimer script;
    QObject::connect(&script, &QTimer::timeout, [&] {
        Tzones* zones = MainWindow();
        // After the first activation and the start-up sequence.
        if (done || !zones || zones->Flags().StartupGuard || zones->PlaceOntrayTimer.Enabled())
            return;
        done = true;
        if (role == QLatin1String("set")) {
            SetOptions(*zones);
        } else if (role == QLatin1String("restart")) {
            Say(QStringLiteral("restarting"));
            // A slow end (as with cameras closing): the new copy starts while this one runs.
            QObject::connect(zones, &QObject::destroyed, [] { QThread::msleep(2000); });
            zones->RestartProgram();
        } else {
            ShowControls(*zones);
        }
    });
    script.start(50);
    StartupOptions options;
    options.splashDurationMs = 200;
    return ProgramStartup(options);
}
