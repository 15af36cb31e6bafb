#pragma once
// What the caption window's controls hold. The caption drawing reads it on every frame,
// also while the window is hidden; the window and its logic write it.

struct CaptionChoices {
    bool topRight = false;       // "Top Right" radio selected
    bool classicCaption = true;  // "Bottom of Image" radio selected
    bool transparent = false;    // the transparent box
    // Selected rows, -1 when none.
    int fontColorRow = -1;
    int backColorRow = -1;
    int fontRow = -1;
    int fontSizeRow = -1;
    int formatRow = -1;
    int presetRow = -1;
};
