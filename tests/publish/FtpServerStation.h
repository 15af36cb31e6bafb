#pragma once
// A station whose uploader runs the real FTP session against a pyftpdlib server the test
// starts on a free port of 127.0.0.1 (user bob, password pw, home under the program folder).
#include "core/MessageBox.h"
#include "core/SettingsStore.h"
#include "core/StartupFlags.h"
#include "core/TransferBusy.h"
#include "platform/FtpSession.h"
#include "publish/FtpUploader.h"
#include "support/ServerProcess.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

struct FtpServerStation {
    explicit FtpServerStation(const QStringList& serverOptions = {}, int timeoutSeconds = 3)
        : settings(platform::ProgramFolder(dir.path()), dir.file("torvek"), "/no-desktop"), options(serverOptions) {
        SetMessageBoxHandler([this](const QString& text) { boxes << text; });
        TransferBusy::Set(false);
        settings.FirstRunInit();
        home = dir.path() + "ftphome";
        QDir().mkpath(home);
        started = StartServer();
        platform::NetTimeouts shortened;
        shortened.connectSeconds = shortened.responseSeconds = shortened.lowSpeedSeconds = timeoutSeconds;
        session.SetTimeouts(shortened);
        ftp = std::make_unique<FtpUploader>(settings, flags, session);
        ftp->SetClock([this] { return now; });
        ftp->Hooks().internetConnected = [] { return true; };
        ftp->Hooks().pause = [this](int ms) { pauses << ms; };
        FtpForm& form = ftp->Form();
        form.host = QString("127.0.0.1:%1").arg(port);
        form.user = "bob";
        form.password = "pw";
        form.dialUp = false;
        form.passive = true;
    }
    virtual ~FtpServerStation() {
        ftp.reset();
        SetMessageBoxHandler({});
    }

    // Started again after a Stop, on the same port.
    bool StartServer() {
        QStringList args{"--user", "bob", "--password", "pw", "--home", home};
        if (port)
            args << "--port" << QString::number(port);
        if (!server.Start("ftp_server.py", args + options))
            return false;
        port = server.Port();
        return true;
    }
    void Connect() {
        ftp->FtpConnect();
        ASSERT_TRUE(ftp->IsFtpConnected()) << ftp->Log().Rows().join("\n").toStdString();
        Settle();
    }
    // Past the pacing rules, as if the next picture came much later.
    void Settle() {
        now += 20000;
        ftp->UploadPauseTimer().SetEnabled(false);
    }

    TestSupport::TempProgramFolder dir;
    SettingsStore settings;
    QString home;
    QStringList options;
    quint16 port = 0;
    TestSupport::ServerProcess server;
    bool started = false;
    StartupFlags flags;
    platform::FtpSession session;
    std::unique_ptr<FtpUploader> ftp;
    qint64 now = 1000000;
    QStringList boxes;
    QList<int> pauses;
};
