// The FTP window's remote listing, protocol log and transfer state.
#include "publish/FtpUploader.h"
#include "publish/FtpWindow.h"

#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

void FtpWindow::BindViews() {
    protocolLogList->setModel(&uploader_.Log());
    connect(&uploader_.Log(), &FtpProtocolLog::RowAdded, this, &FtpWindow::ShowNewLogRow);
    connect(&uploader_, &FtpUploader::ListingChanged, this, &FtpWindow::FillListing);
    connect(&uploader_, &FtpUploader::StateChanged, this, &FtpWindow::UpdateTransferState);
    UpdateTransferState();
}

void FtpWindow::FillListing() {
    directoryList->clear();
    remoteDirEdit->setText(uploader_.Form().remoteDir);
    // Rows of an earlier connection are not shown once the link is gone.
    if (!uploader_.IsFtpConnected())
        return;
    QList<QTreeWidgetItem*> rows;
    for (const platform::FtpEntry& entry : uploader_.ListingEntries()) {
        auto* row = new QTreeWidgetItem(FtpListingColumns(entry));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        rows << row;
    }
    directoryList->addTopLevelItems(rows);
}

void FtpWindow::ShowNewLogRow(int row) {
    const QModelIndex index = uploader_.Log().index(row);
    protocolLogList->setCurrentIndex(index);
    protocolLogList->scrollTo(index);
}

void FtpWindow::UpdateTransferState() {
    connectButton->setText(uploader_.ConnectButtonCaption());
    abortButton->setVisible(uploader_.AbortButtonVisible());
    const qint64 max = uploader_.ProgressMax();
    // QProgressBar counts in int; large files are shown in KiB.
    const int shift = max > 0x7FFFFFFF ? 10 : 0;
    transferProgressBar->setRange(0, int(std::max<qint64>(max >> shift, 1)));
    transferProgressBar->setValue(int(std::min(uploader_.ProgressPosition(), max) >> shift));
    if (!uploader_.IsFtpConnected() && directoryList->topLevelItemCount() > 0)
        FillListing();
}
