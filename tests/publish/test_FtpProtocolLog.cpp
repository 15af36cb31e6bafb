#include "publish/FtpProtocolLog.h"

#include "support/TestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(FtpProtocolLog, ChunksAreCutAtCarriageReturns) {
    struct Case {
        QString chunk;
        QStringList rows;
    } cases[] = {
        {"220 Welcome", {"<<- 220 Welcome"}},                     // no CR: one row
        {"220 a\r\n", {"<<- 220 a"}},                             // LF after CR dropped
        {"230-a\r\n230 b\r\n", {"<<- 230-a", "<<- 230 b"}},       // two lines
        {"x\ry\r\nz", {"<<- x", "<<- y", "<<- z"}},               // the tail is its own row
        {"a\n\r\nb", {"<<- a\n", "<<- b"}},                        // a lone LF stays in its row
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitProtocolText("<<- ", c.chunk), c.rows) << c.chunk.toStdString();
    EXPECT_EQ(SplitProtocolText("->> ", "PASS s3cret\r\n"), QStringList({"->> PASS ****"}));
    EXPECT_EQ(SplitProtocolText("->> ", "pass s3cret"), QStringList({"->> PASS ****"}));
    EXPECT_EQ(SplitProtocolText("->> ", "USER bob\r\n"), QStringList({"->> USER bob"}));
}

TEST(FtpProtocolLog, KeepsTheNewestRowsOnly) {
    FtpProtocolLog log;
    QSignalSpy added(&log, &FtpProtocolLog::RowAdded);
    for (int i = 0; i < FtpProtocolLog::kMaxRows + 10; ++i)
        log.AddRow(QString::number(i));
    EXPECT_EQ(log.Count(), FtpProtocolLog::kMaxRows);
    EXPECT_EQ(log.Rows().first(), "10");
    EXPECT_EQ(log.Rows().last(), QString::number(FtpProtocolLog::kMaxRows + 9));
    EXPECT_EQ(added.last().at(0).toInt(), FtpProtocolLog::kMaxRows - 1);
    log.AddReceived(QString("x\r").repeated(FtpProtocolLog::kMaxRows + 3));
    EXPECT_EQ(log.Count(), FtpProtocolLog::kMaxRows);
}
