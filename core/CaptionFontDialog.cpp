#include "core/CaptionFontDialog.h"

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

CaptionFontDialog::CaptionFontDialog(CaptionSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), settings_(settings) {
    setObjectName(QStringLiteral("CaptionFontDialog"));
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

    titleLabel_ = MakeLabel(captionPanel_, QStringLiteral("titleLabel"), QStringLiteral("Caption Settings"),
                         QRect(10, 4, 400, 32));
    QFont title(QStringLiteral("Courier New"));
    title.setStyleHint(QFont::TypeWriter);
    title.setPointSize(18);
    title.setBold(true);
    titleLabel_->setFont(title);
    titleLabel_->setStyleSheet(QStringLiteral("color: yellow;"));
    MakeLabel(captionPanel_, QStringLiteral("fontColourLabel"), QStringLiteral("Color"), QRect(0, 0, 60, 16))->hide();
    MakeLabel(captionPanel_, QStringLiteral("backColourLabel"), QStringLiteral("Background Color"), QRect(0, 0, 120, 16))
        ->hide();

    topRightButton_ = new QRadioButton(QStringLiteral("Top Right"), captionPanel_);
    topRightButton_->setObjectName(QStringLiteral("TopRight"));
    topRightButton_->setGeometry(10, 236, 110, 22);
    bottomOfImageButton_ = new QRadioButton(QStringLiteral("Bottom of Image"), captionPanel_);
    bottomOfImageButton_->setObjectName(QStringLiteral("ClassicCaption"));
    bottomOfImageButton_->setGeometry(124, 236, 140, 22);

    fontColourList_ = MakeList(QStringLiteral("fontColourList"), 16, false);
    backColourList_ = MakeList(QStringLiteral("backColourList"), 16, false);
    fontColourList_->hide();
    backColourList_->hide();
    transparentBox_ = new QCheckBox(QStringLiteral("TRANSPARENT "), captionPanel_);
    transparentBox_->setObjectName(QStringLiteral("transparentBox"));
    transparentBox_->hide();
    MakeLabel(captionPanel_, QStringLiteral("fontLabel"), QStringLiteral("Font "), QRect(0, 0, 40, 16))->hide();
    MakeLabel(captionPanel_, QStringLiteral("sizeLabel"), QStringLiteral("Size"), QRect(262, 128, 48, 16));
    fontList_ = MakeList(QStringLiteral("FontList"), 16, false);
    fontList_->hide();
    fontSizeList_ = MakeList(QStringLiteral("FontSizeList"), 18, false);
    fontSizeList_->setGeometry(262, 146, 48, 130);

    auto* previewPanel = new QWidget(captionPanel_);
    previewPanel->setObjectName(QStringLiteral("previewPanel"));
    previewPanel->setGeometry(10, 44, 240, 180);
    previewPanel->setAutoFillBackground(true);
    QPalette dark = previewPanel->palette();
    dark.setColor(QPalette::Window, Qt::black);
    previewPanel->setPalette(dark);
    previewImage_ = new QLabel(previewPanel);
    previewImage_->setObjectName(QStringLiteral("previewImage"));
    previewImage_->setGeometry(0, 0, 240, 180);
    previewImage_->setScaledContents(true);

    MakeLabel(captionPanel_, QStringLiteral("formatLabel"), QStringLiteral("Caption Format"), QRect(318, 128, 203, 16));
    formatList_ = MakeList(QStringLiteral("FormatList"), 18, true);
    formatList_->setGeometry(318, 146, 203, 130);

    hideButton_ = new QPushButton(QStringLiteral("Hide"), captionPanel_);
    hideButton_->setObjectName(QStringLiteral("hideButton"));
    hideButton_->setGeometry(441, 296, 80, 28);

    colourPresetList_ = MakeList(QStringLiteral("ColorCombos"), 18, false);
    colourPresetList_->setGeometry(262, 44, 259, 78);
    MakeLabel(captionPanel_, QStringLiteral("blankLabel"), QString(), QRect(262, 280, 160, 16));

    Bind();
    settings_.SetChangedHandler([this] { Refresh(); });
    Refresh();
}

QListWidget* CaptionFontDialog::MakeList(const QString& name, int rowHeight, bool formats) {
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

void CaptionFontDialog::Bind() {
    auto rowHandler = [this](QListWidget* list, void (CaptionSettings::*handler)(int)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, handler](int row) {
            if (!syncing_)
                (settings_.*handler)(row);
        });
    };
    rowHandler(colourPresetList_, &CaptionSettings::ColorCombosClick);
    rowHandler(fontColourList_, &CaptionSettings::FontColorClick);
    rowHandler(backColourList_, &CaptionSettings::BackColorClick);
    rowHandler(fontList_, &CaptionSettings::FontListClick);
    rowHandler(fontSizeList_, &CaptionSettings::FontSizeListClick);
    rowHandler(formatList_, &CaptionSettings::FormatListClick);
    connect(topRightButton_, &QRadioButton::clicked, this, [this] {
        if (!syncing_)
            settings_.TopRightClick();
    });
    connect(bottomOfImageButton_, &QRadioButton::clicked, this, [this] {
        if (syncing_)
            return;
        // Hiding and showing the preview forces its repaint.
        previewImage_->hide();
        previewImage_->show();
        settings_.ClassicCaptionClick();
    });
    connect(transparentBox_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!syncing_)
            settings_.TransparentBoxClick(checked);
    });
    connect(hideButton_, &QPushButton::clicked, this, [this] {
        settings_.HideButtonClick();
        accept();
    });
}

void CaptionFontDialog::FillList(QListWidget* list, const QStringList& rows, int current) {
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

void CaptionFontDialog::Refresh() {
    if (syncing_)
        return;
    syncing_ = true;
    const CaptionChoices& c = settings_.Choices();
    FillList(colourPresetList_, settings_.ColorCombos(), c.presetRow);
    FillList(fontColourList_, settings_.FontColorList(), c.fontColorRow);
    FillList(backColourList_, settings_.BackColorList(), c.backColorRow);
    FillList(fontList_, settings_.FontList(), c.fontRow);
    FillList(fontSizeList_, settings_.FontSizeList(), c.fontSizeRow);
    FillList(formatList_, settings_.FormatList(), c.formatRow);
    // The radios are exclusive: checking one clears the other.
    (c.topRight ? topRightButton_ : bottomOfImageButton_)->setChecked(true);
    transparentBox_->setChecked(c.transparent);
    const QImage& preview = settings_.Preview().Image();
    if (preview.isNull())
        previewImage_->clear();
    else
        previewImage_->setPixmap(QPixmap::fromImage(preview));
    syncing_ = false;
}

bool CaptionFontDialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && settings_.Visible())
        settings_.FormActivate();
    return handled;
}

void CaptionFontDialog::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void CaptionFontDialog::ShowDialog() {
    settings_.PrepareShowDialog();
    settings_.SetVisible(true);
    Refresh();
    CentreOnScreen();
    exec();
    settings_.SetVisible(false);
}

void CaptionsActionClick(CaptionFontDialog& window, CaptionSettings& settings, bool camera1Previewing,
                    bool camera2Previewing) {
    if (settings.CaptionsActionClick(camera1Previewing, camera2Previewing))
        window.ShowDialog();
}
