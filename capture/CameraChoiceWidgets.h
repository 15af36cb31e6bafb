#pragma once
// The camera choice controls over real widgets. The main window hands in its camera lists,
// the set-up page its default-camera lists and location edits; a missing widget reads as
// empty / nothing selected and ignores writes.
#include "capture/CameraChoiceControls.h"

#include <QPointer>

class QComboBox;
class QLineEdit;

class CameraChoiceWidgets : public CameraChoiceControls {
public:
    void SetCameraLists(QComboBox* cam1List, QComboBox* cam2List);
    void SetDefaultWidgets(QComboBox* defaultCam1, QComboBox* defaultCam2, QLineEdit* location1,
                           QLineEdit* location2);
    // Fills every list present with the device names (no selection).
    void FillLists(const QStringList& devices);

    QStringList CameraList() const override;
    int CameraIndex(int camera) const override;
    void SetCameraIndex(int camera, int index) override;
    QString CameraText(int camera) const override;
    void SetCameraText(int camera, const QString& text) override;
    int DefaultIndex(int camera) const override;
    void SetDefaultIndex(int camera, int index) override;
    QString LocationText(int camera) const override;
    void SetLocationText(int camera, const QString& text) override;

private:
    QComboBox* CameraListOf(int camera) const;
    QComboBox* DefaultOf(int camera) const;
    QLineEdit* LocationOf(int camera) const;

    QPointer<QComboBox> cameraLists_[2];
    QPointer<QComboBox> defaultCameraLists_[2];
    QPointer<QLineEdit> locationEdits_[2];
    QString cameraTexts_[2];
};
