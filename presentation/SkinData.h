#pragma once

#include <QObject>
#include <QString>

class SkinStore;
class QWidget;

// The skin engine of the main window: draws the window, its panels, grids,
// controls and pop-up menu with one skin of the store.
class SkinData : public QObject {
    Q_OBJECT

public:
    explicit SkinData(QWidget& window, QObject* parent = nullptr);

    // Redraws the window at once with entry `index` of `store`; a number
    // outside the store does nothing.
    void loadFromStore(const SkinStore& store, int index);
    // The name of the skin in use ("SkinItem3"), empty before the first.
    const QString& skinName() const { return current; }

private:
    QWidget& window;
    QString current;
};
