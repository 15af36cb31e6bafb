#pragma once
// The help window: nine built-in topics in a list beside their text. Created once at
// start-up and reused for every ShowHelp.
#include "core/HelpLink.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QTextEdit;

class HelpWindow : public QDialog, public HelpLink {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Opens the window modally on topic 0..8.
    void ShowHelp(int topic) override;
    // Fills the window for ShowHelp without running it (ShowHelp = this + exec()).
    void PrepareHelp(int topic);
    // Fills the text and the title for topic 0..8; any other number changes nothing.
    void ShowHelpTopic(int topic);

    static inline const QString kOnlineHelpUrl = QStringLiteral("https://torvek.invalid/help/");

    QLabel* titleLabel = nullptr;
    QLabel* topicLabel = nullptr;
    QTextEdit* topicTextEdit = nullptr;
    QListWidget* topicList = nullptr;
    QPushButton* closeHelpButton = nullptr;
    QPushButton* onlineHelpButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowListTopic(bool focusText);
};
