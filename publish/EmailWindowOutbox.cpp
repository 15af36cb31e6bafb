// The Sent Images tab: the outbox list, a stored report, re-opening, deleting, purging.
#include "publish/EmailWindow.h"

#include "core/DateTimeFormat.h"
#include "core/Helpers.h"
#include "core/MessageBox.h"
#include "publish/Outbox.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>

void EmailWindow::BlankThumbnails() {
    for (QLabel* thumbnail : thumbnailLabels)
        thumbnail->setPixmap(QPixmap::fromImage(placeholder_));
}

void EmailWindow::RefreshOutboxList(const QString& selectNumber) {
    if (!QDir(OutboxFolder()).exists())
        return;
    const QSignalBlocker quiet(outboxList);
    outboxList->clear();
    rowNumbers_.clear();
    for (const OutboxRow& row : Outbox(OutboxFolder()).Rows()) {
        outboxList->addItem(row.text);
        rowNumbers_ << row.number;
    }
    if (rowNumbers_.isEmpty()) {
        BlankThumbnails();
        sentTimeLabel->clear();
        summaryEdit->clear();
        return;
    }
    const qsizetype wanted = rowNumbers_.indexOf(selectNumber);
    outboxList->setCurrentRow(int(wanted >= 0 ? wanted : rowNumbers_.size() - 1));
    ShowOutboxReport();
}

QStringList EmailWindow::RecordPictures() {
    QStringList safe;
    bool refused = false;
    for (const QString& name : working_.Pictures()) {
        if (Outbox::IsSafePictureName(name))
            safe << name;
        else
            refused = true;
    }
    const QString number = TrimText(working_.ReportNumber);
    if (refused && !unsafeNamesTold_.contains(number)) {
        unsafeNamesTold_.insert(number);
        PostMessageBox(QStringLiteral("Report ") + number +
                       QStringLiteral(" names pictures outside the outbox; they are left out."));
    }
    return safe;
}

void EmailWindow::ShowOutboxReport() {
    const int row = outboxList->currentRow();
    if (!QDir(OutboxFolder()).exists() || row < 0 || row >= rowNumbers_.size())
        return;
    const QString number = rowNumbers_[row];
    Outbox outbox(OutboxFolder());
    if (!QFile::exists(outbox.Folder() + number + QStringLiteral(".DRK")))
        return;
    BlankThumbnails();
    outbox.Read(number, working_);
    if (ReportCamera == 0) {
        pictureNames = RecordPictures();
        pictureScroll->blockSignals(true);
        pictureScroll->setRange(0, qMax(0, int(pictureNames.size()) - 1));
        pictureScroll->blockSignals(false);
    }
    sentTimeLabel->setText(FormatDateTime(QStringLiteral("DD MMM YY HH:MM:SS "), working_.SentDateTime()));
    summaryEdit->setPlainText(outbox.Summary(TrimText(working_.ReportNumber)).join(QLatin1Char('\n')));
    const QStringList thumbnails = outbox.Thumbnails(working_);
    for (int i = 0; i < thumbnails.size() && i < kThumbnails; ++i) {
        const QImage picture(thumbnails[i]);
        if (!picture.isNull())
            thumbnailLabels[i]->setPixmap(QPixmap::fromImage(
                picture.scaled(thumbnailLabels[i]->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
}

void EmailWindow::OutboxListClick() { ShowOutboxReport(); }

void EmailWindow::OpenButtonClick() {
    if (outboxList->currentRow() < 0)
        return;
    SinglePictureMode = false;
    pictureNames = RecordPictures();
    pictureScroll->blockSignals(true);
    pictureScroll->setRange(0, qMax(0, int(pictureNames.size()) - 1));
    pictureScroll->setValue(0);
    pictureScroll->blockSignals(false);
    ReportCamera = 0;
    ShowCurrentSendImage(true);
    SelectEmailTab(1);
    toAddressCombo->setEditText(TrimText(working_.ToAddress));
    referenceEdit->setText(TrimText(working_.Reference));
    codeEdit->setText(TrimText(working_.Code));
    subjectEdit->setText(TrimText(working_.Subject));
    const QString krd = OutboxFolder() + TrimText(working_.ReportNumber) + QStringLiteral(".KRD");
    if (QFile::exists(krd))
        messageEdit->setPlainText(Outbox(OutboxFolder()).Summary(TrimText(working_.ReportNumber)).join(QLatin1Char('\n')));
}

void EmailWindow::DeleteSelectedReport() {
    if (!AskYesNo(QStringLiteral("Do you really want to Delete this Report? ")))
        return;
    const int row = outboxList->currentRow();
    if (row < 0 || row >= rowNumbers_.size())
        return;
    Outbox outbox(OutboxFolder());
    if (!QFile::exists(outbox.Folder() + rowNumbers_[row] + QStringLiteral(".DRK")))
        return;
    if (!outbox.Delete(rowNumbers_[row])) {
        ShowMessageBox(QStringLiteral("The report could not be deleted."));
        return;
    }
    RefreshOutboxList();
    if (outboxList->count() > 0) {
        const QSignalBlocker quiet(outboxList);
        outboxList->setCurrentRow(qMin(row, outboxList->count() - 1));
        ShowOutboxReport(); // the report shown is the one selected
    }
    outboxList->setFocus();
}

void EmailWindow::PurgeButtonClick() {
    if (outboxList->count() == 0)
        return;
    if (AskYesNo(QStringLiteral("Do you really want to empty the reports outbox? ")) &&
        !Outbox(OutboxFolder()).Purge())
        ShowMessageBox(QStringLiteral("Some files of the outbox could not be deleted."));
    RefreshOutboxList();
    BlankThumbnails();
}
