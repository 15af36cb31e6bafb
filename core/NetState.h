#pragma once
// The station's one network-busy flag. FTP uploads, gallery posts, the time-lapse dialog
// and the aim commands set it while they run and clear it on every way out; the picture
// store hands nothing to an upload while it is set. The application owns one and hands it
// by reference; GUI thread only.
struct NetState {
    bool TransferBusy = false;
};
