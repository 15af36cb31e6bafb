#pragma once
// The access lock: asks for the password before a guarded command when the lock is set.
#include "core/LinkUnavailable.h"

class AccessLockLink {
public:
    virtual ~AccessLockLink() = default;
    // False refuses the guarded command.
    virtual bool AccessAllowed() = 0;
    // Sets a new lock password, asking for the stored one first when there is one.
    virtual bool ChangeLockPassword() = 0;
};

// Without the lock nothing can be locked: every command is allowed, and the log says once
// that no password is asked.
class NullAccessLockLink final : public AccessLockLink {
public:
    static AccessLockLink& Instance() {
        static NullAccessLockLink link;
        return link;
    }
    bool AccessAllowed() override {
        ReportLinkUnavailable("AccessLockLink", "AccessAllowed");
        return true;
    }
    bool ChangeLockPassword() override {
        ReportLinkUnavailable("AccessLockLink", "ChangeLockPassword");
        return false;
    }
};
