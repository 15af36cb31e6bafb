#pragma once
// Small helpers for making the main window's named controls.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <type_traits>

namespace controlkit {

template <typename T>
T* Make(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    if constexpr (std::is_base_of_v<QAbstractButton, T> || std::is_same_v<T, QLabel>) {
        if (!text.isEmpty())
            w->setText(text);
    } else if constexpr (std::is_same_v<T, QGroupBox>) {
        w->setTitle(text);
    }
    return w;
}

inline QWidget* MakePanel(QWidget* parent, const char* name) {
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setAutoFillBackground(true);
    return w;
}

inline QComboBox* MakeCombo(QWidget* parent, const char* name, bool editable) {
    auto* c = Make<QComboBox>(parent, name);
    c->setEditable(editable);
    // Typed text never turns into a new list entry.
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

inline void Blacken(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace controlkit
