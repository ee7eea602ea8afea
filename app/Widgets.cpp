#include "app/Widgets.h"

QFrame* placePanel(QWidget* parent, const char* name, QRect geometry) {
    auto* panel = place<QFrame>(parent, name, geometry);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    return panel;
}
