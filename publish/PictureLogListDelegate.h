#pragma once
// Draws the picture log's rows: file names, or file times with a red band on the current
// row; selected rows and the slideshow's row black on white, the others silver on black.
// A row whose file has gone is left blank.
#include <QStyledItemDelegate>

class PictureLogLogic;

class PictureLogListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    PictureLogListDelegate(PictureLogLogic& logic, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    PictureLogLogic& logic_;
};
