#include "presentation/SkinData.h"

#include "presentation/SkinStore.h"

#include <QWidget>

SkinData::SkinData(QWidget& target, QObject* parent) : QObject(parent), window(target) {}

void SkinData::loadFromStore(const SkinStore& store, int index) {
    if (index < 0 || index >= store.count())
        return;
    const QString sheet = store.styleSheet(index);
    if (sheet.isEmpty())
        return;
    window.setStyleSheet(sheet);
    current = store.name(index);
}
