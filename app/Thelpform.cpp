#include "app/Thelpform.h"

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

Thelpform::Thelpform(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Thelpform"));
    setFixedSize(635, 425);
    SetColours(this, Qt::white, Qt::black);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 8, 300, 24);
    SetColours(Label1, Qt::yellow, Qt::black);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(16);
    Label1->setFont(titleFont);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(316, 8, 311, 24);
    SetColours(Label2, Qt::white, Qt::black);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setGeometry(8, 40, 420, 353);
    SetColours(RichEdit1, Qt::white, Qt::black);
    QFont textFont = RichEdit1->font();
    textFont.setPixelSize(16);
    RichEdit1->setFont(textFont);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(436, 40, 191, 320);
    ListBox1->setItemDelegate(new TopicDelegate(ListBox1));
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetColours(ListBox1, Qt::white, Qt::black);

    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("Button1"));
    CloseButton->setGeometry(436, 368, 90, 25);
    OnlineHelpButton = new QPushButton(QStringLiteral("Online Help"), this);
    OnlineHelpButton->setObjectName(QStringLiteral("Button2"));
    OnlineHelpButton->setGeometry(537, 368, 90, 25);

    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(OnlineHelpButton, &QPushButton::clicked, this,
            [] { QDesktopServices::openUrl(QUrl(kOnlineHelpUrl)); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ShowListTopic(false); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ShowListTopic(true); });

    // Key preview: the window sees the keys of its controls first.
    for (QWidget* child : {static_cast<QWidget*>(RichEdit1), static_cast<QWidget*>(ListBox1),
                           static_cast<QWidget*>(CloseButton), static_cast<QWidget*>(OnlineHelpButton)})
        child->installEventFilter(this);
    installEventFilter(this);
}

void Thelpform::PrepareHelp(int topic) {
    RichEdit1->clear();
    Label1->setText(QStringLiteral("TORVEK 7.07 Help"));
    ListBox1->clear();
    const QString blanks(59, QLatin1Char(' '));
    for (const QString& entry : HelpTopicEntries())
        ListBox1->addItem(entry + blanks);
    ListBox1->setCurrentRow(topic >= 0 && topic < ListBox1->count() ? topic : -1);
    ShowHelpTopic(topic);
}

void Thelpform::ShowHelp(int topic) {
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

void Thelpform::ShowHelpTopic(int topic) {
    const QStringList lines = HelpTopicLines(topic);
    if (lines.isEmpty())
        return;
    RichEdit1->setGeometry(RichEdit1->x(), 40, RichEdit1->width(), 353);
    // The texts keep short lines; a paragraph's lines flow together so the text area wraps
    // them at its own width. List items and indented lines start lines of their own.
    const QRegularExpression item(QStringLiteral("^(- |\\d+\\. |\\s)"));
    QString text;
    for (int i = 0; i < lines.size(); ++i) {
        const bool continues = i > 1 && !lines[i].isEmpty() && !lines[i - 1].isEmpty() &&
                               !item.match(lines[i]).hasMatch();
        text += i == 0 ? lines[i] : (continues ? QStringLiteral(" ") : QStringLiteral("\n")) + lines[i].trimmed();
    }
    RichEdit1->setPlainText(text);
    Label2->setText(lines.first());
}

void Thelpform::ShowListTopic(bool focusText) {
    ShowHelpTopic(ListBox1->currentRow());
    if (focusText)
        RichEdit1->setFocus();
}

void Thelpform::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    RichEdit1->setFocus();
}

bool Thelpform::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_F1) {
            reject();
            return true;
        }
        if (watched == ListBox1 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            ShowListTopic(true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
