#pragma once
class Tzones;
// A plain arrangement used until the station's own layout routines exist: tool bar along
// the bottom, camera area above it.
void ProvisionalRelayout(Tzones& zones);
