#include "app/Widgets.h"

#include <QLineEdit>

QFrame* placePanel(QWidget* parent, const char* name, QRect geometry) {
    auto* panel = place<QFrame>(parent, name, geometry);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    return panel;
}

QComboBox* placeEditableBox(QWidget* parent, const char* name, QRect geometry) {
    auto* box = place<QComboBox>(parent, name, geometry);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(50);
    return box;
}
