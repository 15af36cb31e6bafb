#pragma once
class Tzones;
// A plain arrangement used until the station's own layout routines exist: tool bar along
// the bottom, camera area above it.
void ProvisionalRelayout(Tzones& zones);
// The running cameras' views side by side in the camera area, the others hidden.
void ProvisionalArrangeCameraPanels(Tzones& zones);
