#include "publish/EAlertComposer.h"

#include "core/Helpers.h"
#include "platform/Ansi.h"
#include "platform/Jpeg.h"
#include "platform/NetCall.h"
#include "platform/ProgramFolder.h"
#include "platform/WholeFile.h"
#include "publish/EAlertPage.h"
#include "publish/ProofSheets.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <thread>

namespace {

// Runs work on a worker thread; the calling thread keeps its events going meanwhile.
void RunOffGuiThread(const std::function<void()>& work) {
    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
        // Queued: delivered once the loop runs, even when the work ended first.
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    // A nested loop started meanwhile may swallow the first quit; go round until done.
    while (!done) loop.exec();
    worker.join();
}

QByteArray ReadPicture(const QString& path) {
    if (path.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

const QString kNoPicture = QStringLiteral("None of the alert's pictures could be read; no mail "
                                          "was sent.");

} // namespace

QString AlertPictureName(const QString& queueLine) { return TrimText(queueLine.mid(1)); }

QString AlertPicturePath(const QString& queueLine, const QString (&folders)[3]) {
    if (queueLine.isEmpty()) return {};
    const int digit = queueLine[0].digitValue();
    if (digit < 1 || digit > 3) return {};
    const QString name = AlertPictureName(queueLine);
    if (name.isEmpty() || folders[digit - 1].isEmpty()) return {};
    return platform::JoinPath(folders[digit - 1], name);
}

EAlertComposer::EAlertComposer(SnapshotSource snapshot, platform::MailTransport& transport)
    : snapshot_(std::move(snapshot)), transport_(transport) {}

QString EAlertComposer::SinglePageFile(const QString& programFolder) {
    return platform::JoinPath(programFolder, QStringLiteral("temp.txt"));
}

QString EAlertComposer::ProofSheetFolder(const QString& programFolder) {
    return platform::WithTrailingSlash(platform::JoinPath(programFolder, QStringLiteral("temp")));
}

bool EAlertComposer::Stopping() const { return abort_ || !platform::NetCall::Accepting(); }

void EAlertComposer::Abort() {
    abort_ = true;
    transport_.Abort();
}

AlertSendResult EAlertComposer::SendEAlert(const QStringList& queue) {
    if (busy_) return {0, false, false, QStringLiteral("An e-alert is already being sent."), {}};
    if (queue.isEmpty()) return {0, false, true, {}, {}};
    busy_ = true;
    abort_ = false;
    const EAlertSnapshot s = snapshot_();
    AlertSendResult result;
    QString why;
    const QStringList recipients = platform::SplitAddressList(s.recipients);
    if (!s.online) {
        result.error = QStringLiteral("The computer is not connected to the internet.");
    } else if (TrimText(s.smtpHost).isEmpty()) {
        result.error = QStringLiteral("No SMTP host is set for e-alerts.");
    } else if (!platform::IsSendableAddress(TrimText(s.sender), &why)) {
        result.error = QStringLiteral("Reply e-mail address: ") + why;
    } else if (recipients.isEmpty()) {
        result.error = QStringLiteral("No e-alert recipient is set.");
    } else if (s.alertFormat > 0 && queue.size() > 1) {
        result = SendProofSheets(queue, s);
    } else {
        result = SendSingles(queue, s);
    }
    busy_ = false;
    return result;
}

AlertSendResult EAlertComposer::SendSingles(const QStringList& queue, const EAlertSnapshot& s) {
    const int selected = int(qMin<qsizetype>(queue.size(), qMax(1, s.alertMaxImages)));
    QList<AlertPagePicture> pagePictures;
    QList<platform::MailInlinePart> parts;
    RunOffGuiThread([&] {
        for (int i = 0; i < selected && !Stopping(); ++i) {
            const QString path = AlertPicturePath(queue[i], s.cameraFolders);
            QByteArray bytes = ReadPicture(path);
            if (bytes.isEmpty()) continue; // gone since it was queued: the rest still goes
            const QString name = AlertPictureName(queue[i]);
            pagePictures << AlertPagePicture{
                name, ReadNoteLines(path.left(path.size() - 4) + QStringLiteral(".txt"))};
            parts << platform::MailInlinePart{std::move(bytes), platform::MailContentId(QStringLiteral("0") + name),
                                              QStringLiteral("0") + name};
        }
    });
    if (Stopping()) return {0, false, false, QStringLiteral("The e-alert was stopped."), {}};

    const QString page = SinglePicturesPage(s.siteLocation, s.now, pagePictures, s.locale);
    // The page is kept for a look afterwards; the mail carries its own copy.
    platform::WriteWholeFile(SinglePageFile(s.programFolder), platform::ToAnsi(page));
    if (parts.isEmpty()) return {selected, false, true, kNoPicture, {}};
    return Deliver(s, selected, page, std::move(parts));
}

AlertSendResult EAlertComposer::SendProofSheets(const QStringList& queue, const EAlertSnapshot& s) {
    const QString folder = ProofSheetFolder(s.programFolder);
    QDir().mkpath(folder);
    // Sheets of an earlier alert would only confuse a look at the folder.
    const QStringList stale =
        QDir(folder).entryList({QStringLiteral("ealerts*.jpg")}, QDir::Files);
    for (const QString& name : stale) QFile::remove(folder + name);

    const ProofSheetsPlan plan =
        BuildProofSheets(int(queue.size()), s.alertFormat + 1, s.alertImageCount, s.dialUp);
    QList<platform::MailInlinePart> parts;
    QStringList names;
    int unreadable = 0;
    QString encodeError;
    RunOffGuiThread([&] {
        const ProofSheetContext context{s.now, s.siteLocation, s.locale};
        for (const ProofSheetPlan& sheet : plan.sheets) {
            if (Stopping()) return;
            QStringList paths;
            for (int line : sheet.lines) paths << AlertPicturePath(queue[line], s.cameraFolders);
            int missing = 0;
            const QImage image = RenderProofSheet(sheet, paths, context, &missing);
            unreadable += missing;
            QByteArray jpeg;
            if (!platform::EncodeJpeg(image, 90, &jpeg, &encodeError)) return;
            const QString name = ProofSheetName(sheet.sheetNo);
            names << name;
            parts << platform::MailInlinePart{std::move(jpeg), platform::MailContentId(name), name};
        }
    });
    if (Stopping()) return {0, false, false, QStringLiteral("The e-alert was stopped."), {}};
    if (!encodeError.isEmpty())
        return {0, false, false, QStringLiteral("A proof sheet could not be made: ") + encodeError, {}};

    const QString page = ProofSheetsPage(s.siteLocation, s.now, names, s.locale);
    platform::WriteWholeFile(folder + QStringLiteral("temp.txt"), platform::ToAnsi(page));
    if (unreadable >= plan.sent) return {plan.sent, false, true, kNoPicture, {}};
    return Deliver(s, plan.sent, page, std::move(parts));
}

AlertSendResult EAlertComposer::Deliver(const EAlertSnapshot& s, int lines, const QString& html,
                                     QList<platform::MailInlinePart> parts) {
    platform::MailMessage message;
    message.from = TrimText(s.sender);
    message.recipients = platform::SplitAddressList(s.recipients);
    message.subject = AlertSubject(s.siteLocation, s.now, s.locale);
    message.plain = AlertPlainText();
    message.html = html;
    message.inlineParts = std::move(parts);
    message.date = s.now;
    const platform::MailSendResult sent = transport_.Send(TrimText(s.smtpHost), message);
    if (!sent.ok) return {0, false, false, sent.error, {}};
    return {lines, true, true, {}, sent.refused};
}
