#pragma once
// Owner drawing of the driver list rows and of the camera choice lists' rows.
#include <QStyledItemDelegate>
#include <functional>

// A driver list row on black: number and device name in white, alias and status in yellow,
// or in silver when the driver was not found.
class DriverStatusDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// A camera choice row shows the device's alias in Times New Roman 8 on black: yellow for the
// device the camera is using, white when selected, silver otherwise. Nothing is drawn while
// camera queries are suspended.
class CameraAliasDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    std::function<QString(const QString&)> Alias;  // device name -> alias
    std::function<int()> ActiveRow;                // row the camera is using, -1 when none
    std::function<bool()> Suspended;               // camera queries suspended

    // The row's alias (its device name while camera queries are suspended).
    QString displayText(const QVariant& value, const QLocale& locale) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
