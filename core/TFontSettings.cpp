#include "core/TFontSettings.h"

#include "core/CaptionSettings.h"

#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyledItemDelegate>

namespace {

// Rows drawn by hand: selected black on white, others white on black, text at the row's
// top-left. Format rows show the current time in their format.
class OwnerDrawnRows : public QStyledItemDelegate {
public:
    OwnerDrawnRows(const CaptionSettings* formats, int rowHeight, QObject* parent)
        : QStyledItemDelegate(parent), formats_(formats), rowHeight_(rowHeight) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect, selected ? Qt::white : Qt::black);
        painter->setPen(selected ? Qt::black : Qt::white);
        const QString text = formats_ ? formats_->FormatRowText(index.row(), QDateTime::currentDateTime())
                                      : index.data().toString();
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), rowHeight_};
    }

private:
    const CaptionSettings* formats_;
    int rowHeight_;
};

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TFontSettings::TFontSettings(CaptionSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), settings_(settings) {
    setObjectName(QStringLiteral("FontSettings"));
    setFixedSize(539, 343);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    captionPanel_ = new QWidget(this);
    captionPanel_->setObjectName(QStringLiteral("captionPanel"));
    captionPanel_->setGeometry(4, 4, 531, 335);
    captionPanel_->setAutoFillBackground(true);
    QPalette grey = captionPanel_->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    grey.setColor(QPalette::WindowText, Qt::white);
    captionPanel_->setPalette(grey);

    label24_ = MakeLabel(captionPanel_, QStringLiteral("Label24"), QStringLiteral("Caption Settings"),
                         QRect(10, 4, 400, 32));
    QFont title(QStringLiteral("Courier New"));
    title.setStyleHint(QFont::TypeWriter);
    title.setPointSize(18);
    title.setBold(true);
    label24_->setFont(title);
    label24_->setStyleSheet(QStringLiteral("color: yellow;"));
    MakeLabel(captionPanel_, QStringLiteral("Label26"), QStringLiteral("Color"), QRect(0, 0, 60, 16))->hide();
    MakeLabel(captionPanel_, QStringLiteral("Label27"), QStringLiteral("Background Color"), QRect(0, 0, 120, 16))
        ->hide();

    topRight_ = new QRadioButton(QStringLiteral("Top Right"), captionPanel_);
    topRight_->setObjectName(QStringLiteral("TopRight"));
    topRight_->setGeometry(10, 236, 110, 22);
    classicCaption_ = new QRadioButton(QStringLiteral("Bottom of Image"), captionPanel_);
    classicCaption_->setObjectName(QStringLiteral("ClassicCaption"));
    classicCaption_->setGeometry(124, 236, 140, 22);

    fontcolor_ = MakeList(QStringLiteral("fontcolor"), 16, false);
    backcolor_ = MakeList(QStringLiteral("backcolor"), 16, false);
    fontcolor_->hide();
    backcolor_->hide();
    transperent_ = new QCheckBox(QStringLiteral("TRANSPARENT "), captionPanel_);
    transperent_->setObjectName(QStringLiteral("transperent"));
    transperent_->hide();
    MakeLabel(captionPanel_, QStringLiteral("Label1"), QStringLiteral("Font "), QRect(0, 0, 40, 16))->hide();
    MakeLabel(captionPanel_, QStringLiteral("Label2"), QStringLiteral("Size"), QRect(262, 128, 48, 16));
    fontList_ = MakeList(QStringLiteral("FontList"), 16, false);
    fontList_->hide();
    fontSizeList_ = MakeList(QStringLiteral("FontSizeList"), 18, false);
    fontSizeList_->setGeometry(262, 146, 48, 130);

    auto* panel2 = new QWidget(captionPanel_);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(10, 44, 240, 180);
    panel2->setAutoFillBackground(true);
    QPalette dark = panel2->palette();
    dark.setColor(QPalette::Window, Qt::black);
    panel2->setPalette(dark);
    image1_ = new QLabel(panel2);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(0, 0, 240, 180);
    image1_->setScaledContents(true);

    MakeLabel(captionPanel_, QStringLiteral("Label3"), QStringLiteral("Caption Format"), QRect(318, 128, 203, 16));
    formatList_ = MakeList(QStringLiteral("FormatList"), 18, true);
    formatList_->setGeometry(318, 146, 203, 130);

    button36_ = new QPushButton(QStringLiteral("Hide"), captionPanel_);
    button36_->setObjectName(QStringLiteral("Button36"));
    button36_->setGeometry(441, 296, 80, 28);

    colorCombos_ = MakeList(QStringLiteral("ColorCombos"), 18, false);
    colorCombos_->setGeometry(262, 44, 259, 78);
    MakeLabel(captionPanel_, QStringLiteral("Label4"), QString(), QRect(262, 280, 160, 16));

    Bind();
    settings_.SetChangedHandler([this] { Refresh(); });
    Refresh();
}

QListWidget* TFontSettings::MakeList(const QString& name, int rowHeight, bool formats) {
    auto* list = new QListWidget(captionPanel_);
    list->setObjectName(name);
    list->setItemDelegate(new OwnerDrawnRows(formats ? &settings_ : nullptr, rowHeight, list));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette rows = list->palette();
    rows.setColor(QPalette::Base, Qt::black);
    list->setPalette(rows);
    return list;
}

void TFontSettings::Bind() {
    auto rowHandler = [this](QListWidget* list, void (CaptionSettings::*handler)(int)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, handler](int row) {
            if (!syncing_)
                (settings_.*handler)(row);
        });
    };
    rowHandler(colorCombos_, &CaptionSettings::ColorCombosClick);
    rowHandler(fontcolor_, &CaptionSettings::FontColorClick);
    rowHandler(backcolor_, &CaptionSettings::BackColorClick);
    rowHandler(fontList_, &CaptionSettings::FontListClick);
    rowHandler(fontSizeList_, &CaptionSettings::FontSizeListClick);
    rowHandler(formatList_, &CaptionSettings::FormatListClick);
    connect(topRight_, &QRadioButton::clicked, this, [this] {
        if (!syncing_)
            settings_.TopRightClick();
    });
    connect(classicCaption_, &QRadioButton::clicked, this, [this] {
        if (syncing_)
            return;
        // Hiding and showing the preview forces its repaint.
        image1_->hide();
        image1_->show();
        settings_.ClassicCaptionClick();
    });
    connect(transperent_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!syncing_)
            settings_.TransperentClick(checked);
    });
    connect(button36_, &QPushButton::clicked, this, [this] {
        settings_.Button36Click();
        accept();
    });
}

void TFontSettings::FillList(QListWidget* list, const QStringList& rows, int current) {
    bool same = list->count() == rows.size();
    for (int i = 0; same && i < rows.size(); ++i)
        same = list->item(i)->text() == rows[i];
    if (!same) {
        list->clear();
        list->addItems(rows);
    }
    if (current >= 0 && current < list->count())
        list->setCurrentRow(current);
    else
        list->setCurrentRow(-1);
    list->viewport()->update();
}

void TFontSettings::Refresh() {
    if (syncing_)
        return;
    syncing_ = true;
    const CaptionChoices& c = settings_.Choices();
    FillList(colorCombos_, settings_.ColorCombos(), c.presetRow);
    FillList(fontcolor_, settings_.FontColorList(), c.fontColorRow);
    FillList(backcolor_, settings_.BackColorList(), c.backColorRow);
    FillList(fontList_, settings_.FontList(), c.fontRow);
    FillList(fontSizeList_, settings_.FontSizeList(), c.fontSizeRow);
    FillList(formatList_, settings_.FormatList(), c.formatRow);
    // The radios are exclusive: checking one clears the other.
    (c.topRight ? topRight_ : classicCaption_)->setChecked(true);
    transperent_->setChecked(c.transparent);
    const QImage& preview = settings_.Preview().Image();
    if (preview.isNull())
        image1_->clear();
    else
        image1_->setPixmap(QPixmap::fromImage(preview));
    syncing_ = false;
}

bool TFontSettings::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && settings_.Visible())
        settings_.FormActivate();
    return handled;
}

void TFontSettings::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFontSettings::ShowDialog() {
    settings_.PrepareShowDialog();
    settings_.SetVisible(true);
    Refresh();
    CentreOnScreen();
    exec();
    settings_.SetVisible(false);
}

void Captions1Click(TFontSettings& window, CaptionSettings& settings, bool camera1Previewing,
                    bool camera2Previewing) {
    if (settings.Captions1Click(camera1Previewing, camera2Previewing))
        window.ShowDialog();
}
