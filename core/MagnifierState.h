#pragma once
// What a magnifier frame (the main window's magnifier1 and magnifier2) keeps about its lens, and the
// rules by which keys and the mouse move the lens centre.
#include <QImage>
#include <QtGlobal>

struct MagnifierState {
    static constexpr int kMinLensSize = 30;
    static constexpr int kMaxLensSize = 450;
    static constexpr int kStartMagnification = 2;
    static constexpr int kStartCentre = 50;

    qint32 PictureHeight = 0; // size of the frame's picture when it was bound
    qint32 PictureWidth = 0;
    qint32 LensSize = 0;      // from the "Size" track bar
    quint8 Dragging = 0;      // cleared on mouse-up
    quint8 Active = 0;        // lens mode
    QImage Source;            // the picture the lens reads
    qint32 CentreX = 0;       // lens centre in picture pixels
    qint32 CentreY = 0;

    // Binding the frame: dragging and lens off, the start centre, an empty source, the
    // picture's size as given.
    void Bind(int pictureWidth, int pictureHeight);
};

enum class MagnifierKey { Up, Down, Left, Right, Other };

// Moves the centre by ten pixels: up and left only while it is at least 11, down and right
// only while it is below the picture's height or width. False when nothing moved.
bool MoveLensCentre(MagnifierState& state, MagnifierKey key);

// A mouse move over the picture: the centre follows it only while dragging.
bool FollowMouse(MagnifierState& state, int x, int y);
