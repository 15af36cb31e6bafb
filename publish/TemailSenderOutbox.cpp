// The Sent Images tab: the outbox list, a stored report, re-opening, deleting, purging.
#include "publish/TemailSender.h"

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

void TemailSender::BlankThumbnails() {
    for (QLabel* thumbnail : SentImage)
        thumbnail->setPixmap(QPixmap::fromImage(placeholder_));
}

void TemailSender::RefreshOutboxList(const QString& selectNumber) {
    if (!QDir(OutboxFolder()).exists())
        return;
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    rowNumbers_.clear();
    for (const OutboxRow& row : Outbox(OutboxFolder()).Rows()) {
        ListBox1->addItem(row.text);
        rowNumbers_ << row.number;
    }
    if (rowNumbers_.isEmpty()) {
        BlankThumbnails();
        Label20->clear();
        EmailSummary->clear();
        return;
    }
    const qsizetype wanted = rowNumbers_.indexOf(selectNumber);
    ListBox1->setCurrentRow(int(wanted >= 0 ? wanted : rowNumbers_.size() - 1));
    ShowOutboxReport();
}

QStringList TemailSender::RecordPictures() {
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

void TemailSender::ShowOutboxReport() {
    const int row = ListBox1->currentRow();
    if (!QDir(OutboxFolder()).exists() || row < 0 || row >= rowNumbers_.size())
        return;
    const QString number = rowNumbers_[row];
    Outbox outbox(OutboxFolder());
    if (!QFile::exists(outbox.Folder() + number + QStringLiteral(".DRK")))
        return;
    BlankThumbnails();
    outbox.Read(number, working_);
    if (ReportCamera == 0) {
        filelist = RecordPictures();
        ScrollBar1->blockSignals(true);
        ScrollBar1->setRange(0, qMax(0, int(filelist.size()) - 1));
        ScrollBar1->blockSignals(false);
    }
    Label20->setText(FormatDateTime(QStringLiteral("DD MMM YY HH:MM:SS "), working_.SentDateTime()));
    EmailSummary->setPlainText(outbox.Summary(TrimText(working_.ReportNumber)).join(QLatin1Char('\n')));
    const QStringList thumbnails = outbox.Thumbnails(working_);
    for (int i = 0; i < thumbnails.size() && i < kThumbnails; ++i) {
        const QImage picture(thumbnails[i]);
        if (!picture.isNull())
            SentImage[i]->setPixmap(QPixmap::fromImage(
                picture.scaled(SentImage[i]->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
}

void TemailSender::ListBox1Click() { ShowOutboxReport(); }

void TemailSender::Button3Click() {
    if (ListBox1->currentRow() < 0)
        return;
    SinglePictureMode = false;
    filelist = RecordPictures();
    ScrollBar1->blockSignals(true);
    ScrollBar1->setRange(0, qMax(0, int(filelist.size()) - 1));
    ScrollBar1->setValue(0);
    ScrollBar1->blockSignals(false);
    ReportCamera = 0;
    ShowCurrentSendImage(true);
    SelectEmailTab(1);
    ToAddress->setEditText(TrimText(working_.ToAddress));
    ref->setText(TrimText(working_.Reference));
    code->setText(TrimText(working_.Code));
    SubjectEdit->setText(TrimText(working_.Subject));
    const QString krd = OutboxFolder() + TrimText(working_.ReportNumber) + QStringLiteral(".KRD");
    if (QFile::exists(krd))
        RichEdit1->setPlainText(Outbox(OutboxFolder()).Summary(TrimText(working_.ReportNumber)).join(QLatin1Char('\n')));
}

void TemailSender::DeleteSelectedReport() {
    if (!AskYesNo(QStringLiteral("Do you really want to Delete this Report? ")))
        return;
    const int row = ListBox1->currentRow();
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
    if (ListBox1->count() > 0) {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->setCurrentRow(qMin(row, ListBox1->count() - 1));
        ShowOutboxReport(); // the report shown is the one selected
    }
    ListBox1->setFocus();
}

void TemailSender::Button8Click() {
    if (ListBox1->count() == 0)
        return;
    if (AskYesNo(QStringLiteral("Do you really want to empty the reports outbox? ")) &&
        !Outbox(OutboxFolder()).Purge())
        ShowMessageBox(QStringLiteral("Some files of the outbox could not be deleted."));
    RefreshOutboxList();
    BlankThumbnails();
}
