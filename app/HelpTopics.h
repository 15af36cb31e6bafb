#pragma once
// The nine help topics: their list entries and their texts (the title line first).
#include <QString>
#include <QStringList>

inline constexpr int kHelpTopicCount = 9;

// The list entries in list order.
QStringList HelpTopicEntries();

// One routine per topic; each returns the topic's lines, the title line first.
QStringList ShowHelpIntroduction();
QStringList ShowHelpMotionDetection();
QStringList ShowHelpTimeLapse();
QStringList ShowHelpLogWindow();
QStringList ShowHelpAviMovie();
QStringList ShowHelpInternet();
QStringList ShowHelpTips();
QStringList ShowHelpAutoStart();
QStringList ShowHelpSound();

// The lines of topic 0..8; empty for any other number.
QStringList HelpTopicLines(int topic);
