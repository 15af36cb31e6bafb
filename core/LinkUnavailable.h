#pragma once
// The null links stand in for parts of the station that are not built in. Each routine of
// a null link says so once in the log (the first call of that routine) and then does
// nothing visible.
#include <QString>

void ReportLinkUnavailable(const char* link, const char* routine);

// True once the routine of that link has reported itself (tests).
bool LinkWasReportedUnavailable(const char* link, const char* routine);
