#pragma once
// The save dialog of the recording and AVI commands.
#include <QString>

class SaveFileNameAsker {
public:
    virtual ~SaveFileNameAsker() = default;
    // Title, filter ("AVI files (*.avi)|*.avi") and suggested name; the chosen name, empty
    // when cancelled.
    virtual QString AskSaveFileName(const QString& title, const QString& filter, const QString& name) = 0;
};
