#include "platform/SystemInfo.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using TestSupport::TempProgramFolder;
using TestSupport::WriteAll;

namespace {

const char* kIpv4Header =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
const char* kIpv4Local = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
const char* kIpv6LoopbackReject =
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n";

} // namespace

TEST(SystemInfo, OnlineOnlyWithAUsableDefaultRoute) {
    TempProgramFolder dir;
    const QString v4 = dir.file("route");
    const QString v6 = dir.file("ipv6_route");
    const QString missing = dir.file("none");

    ASSERT_TRUE(WriteAll(v4, QByteArray(kIpv4Header) + kIpv4Local));
    ASSERT_TRUE(WriteAll(v6, kIpv6LoopbackReject));
    EXPECT_FALSE(platform::IsInternetConnected(v4, v6)) << "local network only";
    EXPECT_FALSE(platform::IsInternetConnected(missing, missing));

    ASSERT_TRUE(WriteAll(v4, QByteArray(kIpv4Header) + kIpv4Local +
                                 "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"));
    EXPECT_TRUE(platform::IsInternetConnected(v4, missing));

    // A default route that is down does not count.
    ASSERT_TRUE(WriteAll(v4, QByteArray(kIpv4Header) +
                                 "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"));
    EXPECT_FALSE(platform::IsInternetConnected(v4, missing));

    ASSERT_TRUE(WriteAll(v6, QByteArray(kIpv6LoopbackReject) +
                                 "00000000000000000000000000000000 00 "
                                 "00000000000000000000000000000000 00 "
                                 "fd000000000000000000000000000001 00000400 00000002 "
                                 "00000000 00000003     eth0\n"));
    EXPECT_TRUE(platform::IsInternetConnected(missing, v6));
}

TEST(SystemInfo, DriveFiguresOfAFolderAndItsFutureSubFolders) {
    TempProgramFolder dir;
    const qint64 total = platform::DriveTotalBytes(dir.path());
    EXPECT_GT(total, 0);
    EXPECT_FALSE(platform::DriveRoot(dir.path()).isEmpty());
    // A folder not made yet reads as the drive that will hold it.
    const platform::DriveSpace space = platform::DriveSpaceOf(dir.file("not/yet/made/"));
    EXPECT_EQ(space.totalBytes, total);
    EXPECT_TRUE(space.freeBytes >= 0 && space.freeBytes <= total);
    EXPECT_EQ(space.root, platform::DriveRoot(dir.path()));
}
