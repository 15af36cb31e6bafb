#pragma once
// The capture pin's format window: the formats the camera offers, the current one selected.
#include <QDialog>
#include <QStringList>

class QListWidget;

class CaptureFormatDialog : public QDialog {
    Q_OBJECT
public:
    CaptureFormatDialog(const QStringList& formats, int current, QWidget* parent = nullptr);
    // The chosen row, -1 when none.
    int Chosen() const;
    QListWidget* List() const { return videoFormatList_; }

private:
    QListWidget* videoFormatList_ = nullptr;
};
