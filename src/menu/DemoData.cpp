#include "menu/DemoData.h"

#include "data/DataFiles.h"
#include "masters/SettingsRow.h"
#include "menu/DayCost.h"
#include "menu/MenuDishes.h"
#include "menu/PurchaseLines.h"
#include "store/Rounding.h"
#include "store/Session.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <algorithm>
#include <map>
#include <utility>

using namespace Qt::StringLiterals;
using store::Sql::exec;
using store::Sql::scalar;

namespace menu {

namespace {

using Slot = std::pair<int, int>; // K1, K2

struct HeadCount {
    int ninzu = 0, staff = 0, inspection = 0;
};

struct Price {
    double yen = 0;
    double unitGrams = 0;
    int supplier = 0;
};

struct CalendarDay {
    QDate date;
    int pattern = 0;
    int absent[2] = {0, 0};
};

[[noreturn]] void fault(const QString& file, const QString& what)
{
    throw store::StoreError(u"デモデータ %1: %2"_s.arg(file, what));
}

int number(const QString& file, const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok)
        fault(file, u"数字ではありません: "_s + text);
    return n;
}

Slot slotOf(const QString& file, const QString& mealId, const QString& targetId)
{
    const int k1 = number(file, mealId) - 1;
    const int k2 = number(file, targetId);
    if (k1 < 0 || k1 > 2 || k2 < 0 || k2 > 1)
        fault(file, u"食事区分または対象区分が違います: %1,%2"_s.arg(mealId, targetId));
    return {k1, k2};
}

std::map<Slot, HeadCount> readHeadCounts()
{
    const QString file = u"demo/headcounts.csv"_s;
    std::map<Slot, HeadCount> out;
    for (const QStringList& r : data::DataFiles::readUtf8(file)) {
        const Slot slot = slotOf(file, r.at(0), r.at(1));
        const HeadCount h{number(file, r.at(2)), number(file, r.at(3)), number(file, r.at(4))};
        // The menu screen takes staff and inspection meals with target group 0 only.
        if (slot.second != 0 && (h.staff != 0 || h.inspection != 0))
            fault(file, u"職員人数・検食数は３歳以上にだけ入れます。"_s);
        out[slot] = h;
    }
    return out;
}

std::map<int, std::map<Slot, QStringList>> readPlan()
{
    const QString file = u"demo/menu_plan.csv"_s;
    std::map<int, std::map<Slot, QStringList>> out;
    for (const QStringList& r : data::DataFiles::readUtf8(file))
        out[number(file, r.at(0))][slotOf(file, r.at(1), r.at(2))] =
            r.at(3).split(u' ', Qt::SkipEmptyParts);
    return out;
}

QList<CalendarDay> readCalendar()
{
    const QString file = u"demo/calendar.csv"_s;
    QList<CalendarDay> out;
    for (const QStringList& r : data::DataFiles::readUtf8(file)) {
        CalendarDay d;
        d.date = QDate::fromString(r.at(0), u"yyyy-MM-dd"_s);
        if (!d.date.isValid())
            fault(file, u"日付ではありません: "_s + r.at(0));
        d.pattern = number(file, r.at(1));
        d.absent[0] = number(file, r.at(2));
        d.absent[1] = number(file, r.at(3));
        out.append(d);
    }
    if (out.isEmpty())
        fault(file, u"日付がありません。"_s);
    return out;
}

std::map<int, Price> readPrices()
{
    const QString file = u"demo/prices.csv"_s;
    std::map<int, Price> out;
    for (const QStringList& r : data::DataFiles::readUtf8(file)) {
        bool yenOk = false, gramsOk = false;
        const Price p{r.at(1).toDouble(&yenOk), r.at(3).toDouble(&gramsOk), number(file, r.at(4))};
        if (!yenOk || !gramsOk || p.unitGrams <= 0)
            fault(file, u"価格が読めません: "_s + r.at(0));
        out[number(file, r.at(0))] = p;
    }
    return out;
}

void refuseUnlessReady(const QSqlDatabase& aaa)
{
    const auto hasRows = [&](const QString& table) {
        return store::Sql::tableExists(aaa, table) &&
               scalar(aaa, u"SELECT 1 FROM "_s + store::Sql::quoted(table) + u" LIMIT 1"_s)
                   .isValid();
    };
    QStringList inUse;
    for (const QString& t : {u"kondateM"_s, u"GyosyaM"_s, u"kondateQ"_s})
        if (hasRows(t))
            inUse << t;
    if (!inUse.isEmpty())
        throw store::StoreError(
            u"既にデータが登録されているので、デモデータは読み込みません。（%1）"_s.arg(
                inUse.join(u"、"_s)));
    if (!hasRows(u"SyokuM"_s) || !hasRows(u"RyoriD"_s))
        throw store::StoreError(
            u"初期データ（食品・料理）がないので、デモデータは読み込めません。"_s);
}

// A new menu day with its six meal slots, as the menu screen registers a date.
int createDay(const QSqlDatabase& aaa, const QDate& date)
{
    const QSqlQuery q =
        exec(aaa, u"INSERT INTO kondateM (kijitu) VALUES (?)"_s, {date.toString(u"yyyy-MM-dd"_s)});
    const int id = q.lastInsertId().toInt();
    for (int k1 = 0; k1 < 3; ++k1)
        for (int k2 = 0; k2 < 2; ++k2)
            exec(aaa, u"INSERT INTO kondateM2 (kondate_ID, K1, K2) VALUES (?, ?, ?)"_s,
                 {id, k1, k2});
    return id;
}

void priceLines(const QSqlDatabase& aaa, int kondateId, const std::map<int, Price>& prices)
{
    QList<QVariantList> lines;
    {
        QSqlQuery q = exec(aaa,
                           u"SELECT k1, Ryori_ID, Syoku_ID, B03, SyokuMei FROM kondateQ "
                           u"WHERE kondate_ID=? AND k1<>?"_s,
                           {kondateId, PurchaseLines::kTotal});
        while (q.next())
            lines.append({q.value(0), q.value(1), q.value(2), q.value(3), q.value(4)});
    }
    for (const QVariantList& l : lines) {
        const auto it = prices.find(l.at(2).toInt());
        if (it == prices.end())
            fault(u"demo/prices.csv"_s,
                  u"価格のない食品があります: %1 %2"_s.arg(l.at(2).toInt(), 5, 10, QChar(u'0'))
                      .arg(l.at(4).toString()));
        const Price& p = it->second;
        const store::Money amount = store::Money::fromYen(
            store::Rounding::roundToInt(l.at(3).toDouble() / p.unitGrams * p.yen));
        exec(aaa,
             u"UPDATE kondateQ SET kingaku=?, E01=? "
             u"WHERE kondate_ID=? AND k1=? AND Ryori_ID=? AND Syoku_ID=?"_s,
             {amount.toVariant(), p.supplier, kondateId, l.at(0), l.at(1), l.at(2)});
    }
}

} // namespace

QString DemoData::institutionName()
{
    return u"ひまわり保育園（デモ）"_s;
}

QDate DemoData::firstDay()
{
    return readCalendar().first().date;
}

void DemoData::loadMenus(const QSqlDatabase& aaa, const Progress& progress)
{
    refuseUnlessReady(aaa);
    const std::map<Slot, HeadCount> headCounts = readHeadCounts();
    const std::map<int, std::map<Slot, QStringList>> plan = readPlan();
    const QList<CalendarDay> calendar = readCalendar();
    const std::map<int, Price> prices = readPrices();
    const QString step = u"デモの献立"_s;
    const int days = static_cast<int>(calendar.size());
    if (progress)
        progress(step, 0, days);

    store::Transaction tx(aaa);
    masters::InitialData::importUtf8(aaa, u"demo/suppliers.csv"_s, u"GyosyaM"_s,
                                     {u"Gyosya_ID"_s, u"Gyosyamei"_s});
    PurchaseLines::ensureTable(aaa);
    int done = 0;
    for (const CalendarDay& day : calendar) {
        const auto pattern = plan.find(day.pattern);
        if (pattern == plan.end())
            fault(u"demo/menu_plan.csv"_s, u"献立パターン %1 がありません。"_s.arg(day.pattern));
        const int id = createDay(aaa, day.date);
        for (const auto& [slot, dishes] : pattern->second) {
            const auto [k1, k2] = slot;
            const auto count = headCounts.find(slot);
            if (count == headCounts.end())
                fault(u"demo/headcounts.csv"_s,
                      u"食事区分 %1・対象区分 %2 の人数がありません。"_s.arg(k1 + 1).arg(k2));
            const HeadCount& h = count->second;
            exec(aaa,
                 u"UPDATE kondateM2 SET Ninzu=?, Ninzu2=?, Ninzu3=?, Ninzu4=? "
                 u"WHERE kondate_ID=? AND K1=? AND K2=?"_s,
                 {h.ninzu, std::max(0, h.ninzu - day.absent[k2]),
                  k2 == 0 ? QVariant(h.staff) : QVariant(QMetaType::fromType<int>()),
                  k2 == 0 ? QVariant(h.inspection) : QVariant(QMetaType::fromType<int>()), id, k1,
                  k2});
            for (const QString& dish : dishes) {
                if (!scalar(aaa, u"SELECT 1 FROM RyoriM WHERE Ryori_ID=?"_s, {dish}).isValid())
                    fault(u"demo/menu_plan.csv"_s, u"料理 %1 がありません。"_s.arg(dish));
                if (!MenuDishes::addDish(aaa, id, k1, k2, dish))
                    fault(u"demo/menu_plan.csv"_s, u"料理 %1 が重複しています。"_s.arg(dish));
            }
        }
        PurchaseLines::refresh(aaa, id, day.date, PurchaseLines::expansionOfDay(aaa, id));
        priceLines(aaa, id, prices);
        DayCost::calculate(aaa, id, 0, kUnderThreePercent);
        if (progress)
            progress(step, ++done, days);
    }
    tx.commit();
}

void DemoData::writeSettings(const QSqlDatabase& ahm)
{
    const QDate first = firstDay();
    const int fiscalYear = first.month() >= 4 ? first.year() : first.year() - 1;
    masters::SettingsRow row(ahm);
    store::Transaction tx(ahm);
    row.setInstitutionName(institutionName());
    row.writeFirstRunDefaults(fiscalYear);
    masters::InstitutionSettings s = row.open();
    s.password = 0; // not set: the program asks for its default password
    s.seals = {u"園長"_s, u"主任"_s, u"栄養士"_s, u"調理員"_s, QString()};
    row.post(s);
    tx.commit();
}

void DemoData::load(store::Session& session, const Progress& progress)
{
    loadMenus(session.aaa(), progress);
    writeSettings(session.ahm());
}

} // namespace menu
