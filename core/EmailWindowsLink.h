#pragma once
// The e-mail window (settings, contacts, address book) and the report mailer's send page.
#include "core/LinkUnavailable.h"

#include <QString>
#include <QStringList>

class EmailWindowsLink {
public:
    virtual ~EmailWindowsLink() = default;
    virtual void ShowEmailWindow() = 0;
    // The send page on pictures of the log: one picture, or the list from a position.
    virtual void OpenSendImagePage(bool singlePictureMode, int position, const QStringList& pictures,
                                   const QString& currentName, int camera) = 0;
};

class NullEmailWindowsLink final : public EmailWindowsLink {
public:
    static EmailWindowsLink& Instance() {
        static NullEmailWindowsLink link;
        return link;
    }
    void ShowEmailWindow() override { ReportLinkUnavailable("EmailWindowsLink", "ShowEmailWindow"); }
    void OpenSendImagePage(bool, int, const QStringList&, const QString&, int) override {
        ReportLinkUnavailable("EmailWindowsLink", "OpenSendImagePage");
    }
};
