// The null links and the transfer-busy flag.
#include "core/AccessLockLink.h"
#include "core/DriverAliasLink.h"
#include "core/FtpLink.h"
#include "core/LayoutLink.h"
#include "core/MainWindowLink.h"
#include "core/OnlineServiceLink.h"
#include "core/TimeLapseLink.h"
#include "core/TransferBusy.h"

#include <QtGlobal>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

int logged = 0;
QString lastLine;

void CountMessages(QtMsgType, const QMessageLogContext&, const QString& text) {
    ++logged;
    lastLine = text;
}

} // namespace

TEST(Links, NullRoutineSaysOnceThatItIsMissingAndDoesNothing) {
    const QtMessageHandler previous = qInstallMessageHandler(CountMessages);
    logged = 0;
    MainWindowLink& main = NullMainWindowLink::Instance();
    EXPECT_FALSE(main.SwitchSurveillance(true)); // nothing switched: never reported as done
    EXPECT_FALSE(main.StartStopSurveillance());
    EXPECT_FALSE(main.SwitchSurveillance(false));
    EXPECT_EQ(logged, 2);
    EXPECT_TRUE(lastLine.contains("MainWindowLink::StartStopSurveillance"));
    EXPECT_TRUE(LinkWasReportedUnavailable("MainWindowLink", "SwitchSurveillance"));

    NullLayoutLink::Instance().RestoreFullView();
    NullLayoutLink::Instance().RestoreFullView();
    NullTimeLapseLink::Instance().TimeLapseTick();
    EXPECT_EQ(logged, 4);
    qInstallMessageHandler(previous);

    // The values a caller relies on.
    EXPECT_TRUE(NullAccessLockLink::Instance().AccessAllowed());
    EXPECT_FALSE(NullFtpLink::Instance().IsFtpConnected());
    EXPECT_FALSE(NullOnlineServiceLink::Instance().PhoneLinkConnected());
    EXPECT_FALSE(NullTimeLapseLink::Instance().TimeLapseWorking());
    EXPECT_EQ(NullDriverAliasLink::Instance().DriverAlias("cam"), "cam");
}

TEST(Links, TransferBusyScopePutsBackWhatItFoundOnEveryWayOut) {
    TransferBusy::Set(false);
    try {
        TransferBusyScope busy;
        EXPECT_TRUE(TransferBusy::IsBusy());
        throw std::runtime_error("window failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(TransferBusy::IsBusy());
    TransferBusy::Set(true); // an upload runs
    {
        TransferBusyScope busy;
    }
    EXPECT_TRUE(TransferBusy::IsBusy()); // the upload's flag stays
    TransferBusy::Set(false);
}
