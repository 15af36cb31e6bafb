// The station as its own process, with a script of the set-up panel: "set" opens the panel,
// sets options on its tabs and closes it; "show" prints the controls once the start-up
// sequence has run; "restart" restarts the station. Messages are printed, not shown. Used by
// test_SetupPanelRestart and test_OneStationPerFolder.
#include "app/ProgramStartup.h"
#include "app/MainWindow.h"
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

MainWindow* FindMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* mainWindow = qobject_cast<MainWindow*>(widget))
            return mainWindow;
    return nullptr;
}

void Say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void SetOptions(MainWindow& z) {
    z.setupButton->click();
    z.setupTabs->setCurrentIndex(1);
    z.AutoStart1->setChecked(true);
    z.placeOnTrayBox->setChecked(true);
    z.setupTabs->setCurrentIndex(2);
    z.smtpEdit->setText(QStringLiteral(" mail.example.org "));
    z.smtpUserEdit->setText(QStringLiteral("alice"));
    z.smtpPasswordEdit->setText(QStringLiteral("pa55word"));
    z.replyAddressEdit->setText(QStringLiteral("alice@example.org"));
    z.alertEmailEdit->setText(QStringLiteral("bob@example.org"));
    z.siteLocationEdit->setText(QStringLiteral("Barn"));
    z.setupTabs->setCurrentIndex(3);
    z.sampleRateSlider->setValue(650);
    z.masterSensitivitySlider->setValue(9);
    z.greenChannelBox->setChecked(false);
    z.setupTabs->setCurrentIndex(4);
    z.broadbandButton->click();
    z.diskControlBox->setChecked(false);
    z.soundAlarmBox->setChecked(true);
    z.setupHideButton->click();
    Say(QStringLiteral("options set"));
}

void ShowControls(MainWindow& z) {
    const auto box = [](const QAbstractButton* b) { return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); };
    const std::pair<const char*, QString> values[] = {
        {"AutoStart1", box(z.AutoStart1)},
        {"placeOnTrayBox", box(z.placeOnTrayBox)},
        {"smtpEdit", z.smtpEdit->text()},
        {"smtpUserEdit", z.smtpUserEdit->text()},
        {"smtpPasswordEdit", z.smtpPasswordEdit->text()},
        {"replyAddressEdit", z.replyAddressEdit->text()},
        {"alertEmailEdit", z.alertEmailEdit->text()},
        {"siteLocationEdit", z.siteLocationEdit->text()},
        {"sampleRateSlider", QString::number(z.sampleRateSlider->value())},
        {"motionTimer", QString::number(z.motionTimer.Interval())},
        {"masterSensitivitySlider", QString::number(z.masterSensitivitySlider->value())},
        {"masterSensitivityLabel", z.masterSensitivityLabel->text()},
        {"greenChannelBox", box(z.greenChannelBox)},
        {"broadbandButton", box(z.broadbandButton)},
        {"diskControlBox", box(z.diskControlBox)},
        {"soundAlarmBox", box(z.soundAlarmBox)},
        {"setupTabs", QString::number(z.setupTabs->currentIndex())},
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
        MainWindow* mainWindow = FindMainWindow();
        // After the first activation and the start-up sequence.
        if (done || !mainWindow || mainWindow->Flags().StartupGuard || mainWindow->startupSequenceTimer.Enabled())
            return;
        done = true;
        if (role == QLatin1String("set")) {
            SetOptions(*mainWindow);
        } else if (role == QLatin1String("restart")) {
            Say(QStringLiteral("restarting"));
            // A slow end (as with cameras closing): the new copy starts while this one runs.
            QObject::connect(mainWindow, &QObject::destroyed, [] { QThread::msleep(2000); });
            mainWindow->RestartProgram();
        } else {
            ShowControls(*mainWindow);
        }
    });
    script.start(50);
    StartupOptions options;
    options.splashDurationMs = 200;
    return ProgramStartup(options);
}
