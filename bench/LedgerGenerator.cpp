#include "LedgerGenerator.h"

#include <QDate>
#include <QStringList>
#include <random>
#include <sqlite3.h>
#include <stdexcept>

namespace LedgerGenerator {

namespace {

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

} // namespace

void fill(const QString& file, int rows) {
    sqlite3* db = nullptr;
    check(sqlite3_open(file.toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "pragma journal_mode=wal; begin", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into db (name, datetime, money, something, info) "
                             "values (?, ?, ?, ?, ?)",
                             -1, &insert, nullptr),
          db);
    std::mt19937 random(20261211);
    const QStringList items{QStringLiteral("买菜"),     QStringLiteral("买米和菜"),
                            QStringLiteral("交房租"),   QStringLiteral("交网费"),
                            QStringLiteral("充电话费"), QStringLiteral("买生活用品"),
                            QStringLiteral("其他")};
    const QString remarkText = QStringLiteral(
        "周末聚餐超市水果蔬菜牛奶鸡蛋面包大米食用油电费水费燃气物业保洁洗衣液纸巾灯泡电池网络话费"
        "房租押金维修家具厨具调料零食饮料药品快递");
    const QDate first(2024, 1, 1);
    std::vector<QByteArray> memberText, itemText;
    for (const QString& m : members)
        memberText.push_back(m.toUtf8());
    for (const QString& i : items)
        itemText.push_back(i.toUtf8());
    for (int i = 0; i < rows; ++i) {
        const QByteArray date = first.addDays(int(random() % 1096)).toString(Qt::ISODate).toUtf8();
        const unsigned cents = 100 + random() % 50000;
        const QByteArray money = QByteArray::number(cents / 100) + '.' +
                                 QByteArray::number(cents % 100).rightJustified(2, '0');
        QString remark;
        const int length = int(random() % 31);
        for (int c = 0; c < length; ++c)
            remark += remarkText[int(random() % remarkText.size())];
        const QByteArray remarkUtf8 = remark.toUtf8();
        const QByteArray& member = memberText[random() % memberText.size()];
        const QByteArray& item = itemText[random() % itemText.size()];
        sqlite3_bind_text(insert, 1, member.constData(), int(member.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, money.constData(), int(money.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, item.constData(), int(item.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 5, remarkUtf8.constData(), int(remarkUtf8.size()),
                          SQLITE_TRANSIENT);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "commit; pragma wal_checkpoint(truncate)", nullptr, nullptr, nullptr),
          db);
    sqlite3_close(db);
}

} // namespace LedgerGenerator
