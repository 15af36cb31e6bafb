#pragma once
// Program-wide flags of the start-up phase. The application owns one and hands it by
// reference to the windows that read it; everything touches it on the GUI thread only.
struct StartupFlags {
    // From the start of main-window creation until the end of its first activation;
    // the colour-channel boxes ignore changes meanwhile.
    bool StartupGuard = true;
    // From creation until the first show begins.
    bool FirstShowPending = true;
    // While settings are copied into the controls; option change handlers do nothing.
    bool ApplyingSettings = true;
    // Copies of AutoStart1/AutoStart2 taken at every activation; only the start-up
    // sequence consumes them.
    bool PendingAutoStart1 = false;
    bool PendingAutoStart2 = false;
    // While the start-up sequence runs: an FTP connect stays silent and retries.
    bool FtpUnattended = false;
};
