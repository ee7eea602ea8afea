#include "presentation/SkinStore.h"

#include <QFile>

// The style sheets live in this static library; register them before the
// first one is read.
static void loadSkinResources() {
    Q_INIT_RESOURCE(skins);
}

namespace {

constexpr int entries = 5;

} // namespace

SkinStore::SkinStore(QObject* parent) : QObject(parent) {
    loadSkinResources();
}

int SkinStore::count() const {
    return entries;
}

QString SkinStore::name(int index) const {
    if (index < 0 || index >= entries)
        return {};
    return QStringLiteral("SkinItem%1").arg(index);
}

QString SkinStore::styleSheet(int index) const {
    if (index < 0 || index >= entries)
        return {};
    QFile file(QStringLiteral(":/skins/%1.qss").arg(name(index)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
