#pragma once
// The station's one network-busy flag: set while an upload, a mail or a service call runs,
// and while a window is open during which no transfer may start (aim, time-lapse dialog).
// GUI thread only.
class TransferBusy {
public:
    static bool IsBusy() { return flag(); }
    static void Set(bool busy) { flag() = busy; }

private:
    static bool& flag() {
        static bool busy = false;
        return busy;
    }
};

// Holds the flag for a scope and puts back what it was on every way out, an exception
// included, so transfers never stay blocked.
class TransferBusyScope {
public:
    TransferBusyScope() : previous_(TransferBusy::IsBusy()) { TransferBusy::Set(true); }
    ~TransferBusyScope() { TransferBusy::Set(previous_); }
    TransferBusyScope(const TransferBusyScope&) = delete;
    TransferBusyScope& operator=(const TransferBusyScope&) = delete;

private:
    bool previous_;
};
