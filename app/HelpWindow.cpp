#include "app/HelpWindow.h"

#include "app/HelpTopics.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QUrl>
#include <QWindow>

namespace {

// Entries white on black, the selected one black on white.
class TopicDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, selected ? Qt::white : Qt::black);
        painter->setPen(selected ? Qt::black : Qt::white);
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          index.data().toString());
    }
};

void SetColours(QWidget* widget, const QColor& text, const QColor& back) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::Base, back);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("HelpWindow"));
    setFixedSize(635, 425);
    SetColours(this, Qt::white, Qt::black);

    titleLabel = new QLabel(this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setGeometry(8, 8, 300, 24);
    SetColours(titleLabel, Qt::yellow, Qt::black);
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(16);
    titleLabel->setFont(titleFont);

    topicLabel = new QLabel(this);
    topicLabel->setObjectName(QStringLiteral("topicLabel"));
    topicLabel->setGeometry(316, 8, 311, 24);
    SetColours(topicLabel, Qt::white, Qt::black);

    topicTextEdit = new QTextEdit(this);
    topicTextEdit->setObjectName(QStringLiteral("topicTextEdit"));
    topicTextEdit->setReadOnly(true);
    topicTextEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    topicTextEdit->setGeometry(8, 40, 420, 353);
    SetColours(topicTextEdit, Qt::white, Qt::black);
    QFont textFont = topicTextEdit->font();
    textFont.setPixelSize(16);
    topicTextEdit->setFont(textFont);

    topicList = new QListWidget(this);
    topicList->setObjectName(QStringLiteral("topicList"));
    topicList->setGeometry(436, 40, 191, 320);
    topicList->setItemDelegate(new TopicDelegate(topicList));
    topicList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetColours(topicList, Qt::white, Qt::black);

    closeHelpButton = new QPushButton(QStringLiteral("Close"), this);
    closeHelpButton->setObjectName(QStringLiteral("closeHelpButton"));
    closeHelpButton->setGeometry(436, 368, 90, 25);
    onlineHelpButton = new QPushButton(QStringLiteral("Online Help"), this);
    onlineHelpButton->setObjectName(QStringLiteral("onlineHelpButton"));
    onlineHelpButton->setGeometry(537, 368, 90, 25);

    connect(closeHelpButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(onlineHelpButton, &QPushButton::clicked, this,
            [] { QDesktopServices::openUrl(QUrl(kOnlineHelpUrl)); });
    connect(topicList, &QListWidget::itemClicked, this, [this] { ShowListTopic(false); });
    connect(topicList, &QListWidget::itemDoubleClicked, this, [this] { ShowListTopic(true); });

    // Key preview: the window sees the keys of its controls first.
    for (QWidget* child : {static_cast<QWidget*>(topicTextEdit), static_cast<QWidget*>(topicList),
                           static_cast<QWidget*>(closeHelpButton), static_cast<QWidget*>(onlineHelpButton)})
        child->installEventFilter(this);
    installEventFilter(this);
}

void HelpWindow::PrepareHelp(int topic) {
    topicTextEdit->clear();
    titleLabel->setText(QStringLiteral("TORVEK 7.07 Help"));
    topicList->clear();
    const QString blanks(59, QLatin1Char(' '));
    for (const QString& entry : HelpTopicEntries())
        topicList->addItem(entry + blanks);
    topicList->setCurrentRow(topic >= 0 && topic < topicList->count() ? topic : -1);
    ShowHelpTopic(topic);
}

void HelpWindow::ShowHelp(int topic) {
    PrepareHelp(topic);
    // Above whatever window asked for help, modal dialogs included.
    if (QWidget* active = QApplication::activeWindow(); active && active != this) {
        winId();
        if (windowHandle() && active->windowHandle())
            windowHandle()->setTransientParent(active->windowHandle());
    }
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
}

void HelpWindow::ShowHelpTopic(int topic) {
    const QStringList lines = HelpTopicLines(topic);
    if (lines.isEmpty())
        return;
    topicTextEdit->setGeometry(topicTextEdit->x(), 40, topicTextEdit->width(), 353);
    // The texts keep short lines; a paragraph's lines flow together so the text area wraps
    // them at its own width. List items and indented lines start lines of their own.
    const QRegularExpression item(QStringLiteral("^(- |\\d+\\. |\\s)"));
    QString text;
    for (int i = 0; i < lines.size(); ++i) {
        const bool continues = i > 1 && !lines[i].isEmpty() && !lines[i - 1].isEmpty() &&
                               !item.match(lines[i]).hasMatch();
        text += i == 0 ? lines[i] : (continues ? QStringLiteral(" ") : QStringLiteral("\n")) + lines[i].trimmed();
    }
    topicTextEdit->setPlainText(text);
    topicLabel->setText(lines.first());
}

void HelpWindow::ShowListTopic(bool focusText) {
    ShowHelpTopic(topicList->currentRow());
    if (focusText)
        topicTextEdit->setFocus();
}

void HelpWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    topicTextEdit->setFocus();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_F1) {
            reject();
            return true;
        }
        if (watched == topicList && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            ShowListTopic(true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
