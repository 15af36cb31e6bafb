#include "app/ProgramStartup.h"
#include "platform/NetCall.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Before any thread exists: libcurl's global set-up is not thread-safe.
    platform::NetCall::GlobalInit();
    QApplication app(argc, argv);
    return ProgramStartup();
}
