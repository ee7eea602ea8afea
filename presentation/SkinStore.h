#pragma once

#include <QObject>
#include <QString>

// The stored skins: Qt style sheets compiled into the program, entries 0 to
// count() - 1, named "SkinItem0", "SkinItem1", ...
class SkinStore : public QObject {
    Q_OBJECT

public:
    explicit SkinStore(QObject* parent = nullptr);

    int count() const;
    // The entry's name, or empty for a number outside the store.
    QString name(int index) const;
    // The entry's style sheet, or empty for a number outside the store.
    QString styleSheet(int index) const;
};
