#include "core/MagnifierState.h"

void MagnifierState::Bind(int pictureWidth, int pictureHeight) {
    Dragging = 0;
    LensSize = kMinLensSize;
    CentreX = kStartCentre;
    CentreY = kStartCentre;
    PictureWidth = pictureWidth;
    PictureHeight = pictureHeight;
    Source = QImage();
    Active = 0;
}

bool MoveLensCentre(MagnifierState& state, MagnifierKey key) {
    switch (key) {
    case MagnifierKey::Up:
        if (state.CentreY < 11)
            return false;
        state.CentreY -= 10;
        return true;
    case MagnifierKey::Down:
        if (state.CentreY >= state.PictureHeight)
            return false;
        state.CentreY += 10;
        return true;
    case MagnifierKey::Left:
        if (state.CentreX < 11)
            return false;
        state.CentreX -= 10;
        return true;
    case MagnifierKey::Right:
        if (state.CentreX >= state.PictureWidth)
            return false;
        state.CentreX += 10;
        return true;
    case MagnifierKey::Other:
        break;
    }
    return false;
}

bool FollowMouse(MagnifierState& state, int x, int y) {
    if (!state.Dragging)
        return false;
    state.CentreX = x;
    state.CentreY = y;
    return true;
}
