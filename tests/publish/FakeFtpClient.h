#pragma once
// An FTP client that records its calls and answers as a test tells it.
#include "platform/FtpClient.h"

#include <functional>

struct FakeFtpClient : platform::FtpClient {
    static platform::FtpResult Ok() {
        platform::FtpResult r;
        r.ok = true;
        return r;
    }
    static platform::FtpResult Failed(const QString& error) {
        platform::FtpResult r;
        r.error = error;
        return r;
    }
    static platform::FtpResult Refused() {
        platform::FtpResult r = Failed("busy");
        r.refused = true;
        return r;
    }

    bool connected = false;
    bool passive = false;
    QString cwd = "/";
    QStringList lines;
    QStringList calls;
    platform::FtpResult connectResult = Ok();
    platform::FtpResult dirResult = Ok();
    platform::FtpResult putResult = Ok();
    platform::FtpResult commandResult = Ok();
    std::function<void()> duringTransfer; // runs between a transfer's start and end events
    int aborts = 0;

    bool IsConnected() const override { return connected; }
    bool Busy() const override { return false; }
    platform::FtpResult Connect(const QString& host, const QString& user, const QString&) override {
        calls << "connect " + host + " " + user;
        if (connectResult.ok) {
            connected = true;
            emit Connected();
        }
        return connectResult;
    }
    void Disconnect() override {
        calls << "disconnect";
        if (connected) {
            connected = false;
            emit Disconnected();
        }
    }
    QString EntryDir() const override { return "/"; }
    QString CurrentDir() const override { return cwd; }
    platform::FtpResult ChangeDir(const QString& dir) override {
        calls << "cd " + dir;
        if (dirResult.ok) {
            Transfer(100);
            cwd = platform::ResolveFtpPath(cwd, dir);
        }
        return dirResult;
    }
    platform::FtpResult List() override {
        calls << "list";
        Transfer(100);
        return dirResult;
    }
    QStringList ListingLines() const override { return lines; }
    QList<platform::FtpEntry> ListingEntries() const override {
        return platform::ParseFtpListing(lines, QDate(2026, 12, 6));
    }
    platform::FtpResult Put(const QString& local, const QString& remote) override {
        calls << "put " + remote;
        puts << local;
        if (!putResult.refused)
            Transfer(1000);
        return putResult;
    }
    platform::FtpResult Delete(const QString& name) override { return Command("dele " + name); }
    platform::FtpResult RemoveDir(const QString& name) override { return Command("rmd " + name); }
    platform::FtpResult MakeDir(const QString& name) override { return Command("mkd " + name); }
    platform::FtpResult Noop() override { return Command("noop"); }
    void SetPassive(bool on) override { passive = on; }
    bool Passive() const override { return passive; }
    void Abort() override { ++aborts; }

    QStringList puts; // local paths of the puts

private:
    void Transfer(qint64 size) {
        emit TransferStarted(size);
        emit TransferProgress(size / 2);
        if (duringTransfer)
            duringTransfer();
        emit TransferEnded();
    }
    platform::FtpResult Command(const QString& text) {
        calls << text;
        return commandResult;
    }
};
