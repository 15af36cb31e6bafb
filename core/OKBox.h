#pragma once
// The program's one message window: a borderless box centred on the desktop with the
// message in bold Courier and an OK button that closes it.
#include <QDialog>

class QLabel;
class QPushButton;

class TOKBox : public QDialog {
    Q_OBJECT
public:
    explicit TOKBox(QWidget* parent = nullptr);

    // The single window, created on first use and kept until the application ends.
    static TOKBox* Instance();
    // Puts the text into the window and shows it modally above the active window, unless
    // it is already shown (then only the text changes).
    static void ShowText(const QString& text);
    // The window the box stands above while shown (null: none).
    void AttachTo(QWidget* owner);

    void SetMessage(const QString& text);
    QString Message() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* theMessage_;
    QPushButton* okButton_;
};
