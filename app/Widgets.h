#pragma once

#include <QComboBox>
#include <QFrame>
#include <QRect>
#include <QString>

// Builds a component with its design name (its objectName) at a fixed place.
template <class W> W* place(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

template <class W>
W* place(QWidget* parent, const char* name, QRect geometry, const QString& text) {
    W* widget = place<W>(parent, name, geometry);
    widget->setText(text);
    return widget;
}

// A raised panel, as the floating panels and the command bar are drawn.
QFrame* placePanel(QWidget* parent, const char* name, QRect geometry);

// An editable drop-down list whose typed text fits a 50-character column and
// never adds itself to the list.
QComboBox* placeEditableBox(QWidget* parent, const char* name, QRect geometry);
