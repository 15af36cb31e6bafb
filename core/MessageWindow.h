#pragma once
// The program's one message window: a borderless box centred on the desktop with the
// message in bold Courier and an OK button that closes it.
#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

class MessageWindow : public QDialog {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget* parent = nullptr);

    // The single window, created on first use and kept until the application ends.
    static MessageWindow* Instance();
    // Puts the text into the window and shows it modally above the active window. While it
    // is already shown the text waits its turn (Tell) and this returns at once.
    static void ShowText(const QString& text);
    // The window the box stands above while shown (null: none).
    void AttachTo(QWidget* owner);

    void SetMessage(const QString& text);
    QString Message() const;

    // Shows the text now when the window is hidden; while it is shown the text waits and
    // comes up when OK is pressed, so no message wipes another. A text the window shows or
    // holds already is not added again. Says whether the window was hidden.
    bool Tell(const QString& text);
    // The texts still waiting for their turn, oldest first; taking them empties the queue.
    QStringList TakeWaiting();

    // OK, Escape or accept(): the next waiting text, or the window closes when none waits.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowWaitingCount();
    void Fit();
    void CentreOnScreen();

    QLabel* messageLabel_;
    QLabel* moreMessagesLabel_;
    QPushButton* okButton_;
    QStringList waiting_;
};
