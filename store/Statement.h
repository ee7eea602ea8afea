#pragma once

#include <QString>
#include <QVariantList>

// One statement for the data source: its text, with a "?" for every value, and
// the values bound to those markers in order. No value is ever part of the text.
struct Statement {
    QString text;
    QVariantList values;

    bool isEmpty() const { return text.isEmpty(); }
};
