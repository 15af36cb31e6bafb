#pragma once
// TEMPORARY local stub until the real record lands on main. Not committed.
#include <QString>
#include <QtGlobal>
struct SettingsRecord {
    qint16 Zone1Left = 100, Zone2Left = 100, Zone1Top = 100, Zone2Top = 100;
    qint16 Zone1Size = 30, Zone2Size = 30;
    qint16 Sensitivity1 = 3000, Sensitivity2 = 3000;
    QString Cam1Name = "Cam 1", Cam2Name;
    qint16 CaptionFontSize = 9;
    bool ScanRed = true, ScanGreen = true, ScanBlue = true;
    qint16 ColorThreshold = 3;
};
