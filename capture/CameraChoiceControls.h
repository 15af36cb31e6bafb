#pragma once
// The main window's camera choice controls as the driver alias logic sees them: the camera
// lists cam1List / cam2List, the default-camera lists DefaultCam1 / DefaultCam2 and the
// location edits Location1 / Location2. Camera numbers are 1 and 2. All four lists hold the
// video input names in device-list order; a row index is a device index.
#include <QString>
#include <QStringList>

class CameraChoiceControls {
public:
    virtual ~CameraChoiceControls() = default;

    // The items of cam1List.
    virtual QStringList CameraList() const = 0;
    // Selected index of cam1List / cam2List, -1 when none.
    virtual int CameraIndex(int camera) const = 0;
    virtual void SetCameraIndex(int camera, int index) = 0;
    // The list's shown text (independent of its selection); also repaints the list.
    virtual QString CameraText(int camera) const = 0;
    virtual void SetCameraText(int camera, const QString& text) = 0;
    // Selected index of DefaultCam1 / DefaultCam2, -1 when none. Setting it raises no
    // change handler (as with a user's choice).
    virtual int DefaultIndex(int camera) const = 0;
    virtual void SetDefaultIndex(int camera, int index) = 0;
    // Location1 / Location2 text.
    virtual QString LocationText(int camera) const = 0;
    virtual void SetLocationText(int camera, const QString& text) = 0;
};

// The controls held as plain values: tests and windowless use.
class CameraChoiceState : public CameraChoiceControls {
public:
    QStringList Devices;
    int Index[2] = {-1, -1};
    QString Text[2];
    int Default[2] = {-1, -1};
    QString Location[2];

    QStringList CameraList() const override { return Devices; }
    int CameraIndex(int camera) const override { return Index[Slot(camera)]; }
    void SetCameraIndex(int camera, int index) override { Index[Slot(camera)] = index; }
    QString CameraText(int camera) const override { return Text[Slot(camera)]; }
    void SetCameraText(int camera, const QString& text) override { Text[Slot(camera)] = text; }
    int DefaultIndex(int camera) const override { return Default[Slot(camera)]; }
    void SetDefaultIndex(int camera, int index) override { Default[Slot(camera)] = index; }
    QString LocationText(int camera) const override { return Location[Slot(camera)]; }
    void SetLocationText(int camera, const QString& text) override { Location[Slot(camera)] = text; }

private:
    static int Slot(int camera) { return camera == 2 ? 1 : 0; }
};
