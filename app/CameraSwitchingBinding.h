#pragma once
// Wiring of camera switching into the start-up spine's hooks.
#include "platform/ProgramFolder.h"

#include <QString>
#include <functional>

class QWidget;
class Tzones;
struct StationHooks;

// Makes the camera views VideoCap1 / VideoCap2 (set as StationHooks::CreateVideoCap before
// the main window is created).
std::function<QWidget*(QWidget* parent, const QString& name)> CameraViewFactory(const platform::ProgramFolder& folder);

// Points the camera hooks at the main window's routines and wires its camera controls.
void BindCameraSwitching(Tzones& zones, StationHooks& hooks);
