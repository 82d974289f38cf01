#include "store/FieldText.h"

#include "store/Cp932.h"
#include "store/Money.h"
#include "store/Sql.h"
#include "store/StoreError.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

using namespace Qt::StringLiterals;

namespace store {

QList<FieldDef> FieldText::fieldsOf(const QSqlDatabase& db, const QString& table)
{
    const QString createSql =
        Sql::scalar(db,
                    u"SELECT sql FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"_s,
                    {table})
            .toString();
    const bool autoInc = createSql.contains(u"AUTOINCREMENT"_s, Qt::CaseInsensitive);
    QSqlQuery q =
        Sql::exec(db, u"SELECT name, type, pk FROM pragma_table_info(?) ORDER BY cid"_s, {table});
    static const QRegularExpression text(u"^(?:TEXT|CHAR\\w*|VARCHAR)\\s*\\((\\d+)\\)$"_s,
                                         QRegularExpression::CaseInsensitiveOption);
    QList<FieldDef> fields;
    while (q.next()) {
        FieldDef f;
        f.name = q.value(0).toString();
        const QString type = q.value(1).toString().toUpper();
        if (auto m = text.match(type); m.hasMatch()) {
            f.type = FieldType::Text;
            f.size = m.captured(1).toInt();
        } else if (type == u"TEXT"_s) {
            f.type = FieldType::Text;
        } else if (type.startsWith(u"INT"_s) || type == u"SMALLINT"_s) {
            f.type = (autoInc && q.value(2).toInt() == 1) ? FieldType::AutoInc : FieldType::Integer;
            f.size = type == u"SMALLINT"_s ? 2 : 4;
        } else if (type == u"FLOAT"_s || type == u"REAL"_s || type == u"DOUBLE"_s) {
            f.type = FieldType::Float;
        } else if (type == u"MONEY"_s) {
            f.type = FieldType::Money;
        } else if (type == u"DATE"_s) {
            f.type = FieldType::Date;
        } else {
            f.type = FieldType::Text;
        }
        f.key = q.value(2).toInt() > 0;
        fields << f;
    }
    return fields;
}

bool FieldText::isNumeric(FieldType type)
{
    return type == FieldType::Integer || type == FieldType::Float || type == FieldType::Money ||
           type == FieldType::AutoInc;
}

QVariant FieldText::fromText(const FieldDef& field, const QString& text)
{
    const QString t = field.type == FieldType::Text ? text : text.trimmed();
    if (t.isEmpty()) {
        if (field.key)
            throw StoreError(u"%1 はキーの項目なので空にできません。"_s.arg(field.name));
        return QVariant();
    }
    const auto notValue = [&]() {
        return StoreError(u"「%1」は %2 の値として正しくありません。"_s.arg(text, field.name));
    };
    QString plain = t;
    plain.remove(u',');
    switch (field.type) {
    case FieldType::Text:
        return field.size > 0 ? Cp932::fitBytes(t, field.size) : Cp932::storable(t);
    case FieldType::Integer:
    case FieldType::AutoInc: {
        bool ok = false;
        const qlonglong v = plain.toLongLong(&ok);
        if (!ok)
            throw notValue();
        if (v < TableCatalogue::integerMin(field) || v > TableCatalogue::integerMax(field))
            throw StoreError(
                u"「%1」は %2 に入る範囲（%3～%4）を超えています。"_s.arg(text, field.name)
                    .arg(TableCatalogue::integerMin(field))
                    .arg(TableCatalogue::integerMax(field)));
        return v;
    }
    case FieldType::Float: {
        bool ok = false;
        const double v = plain.toDouble(&ok);
        if (!ok)
            throw notValue();
        return v;
    }
    case FieldType::Money: {
        const auto m = Money::parse(t);
        if (!m)
            throw notValue();
        return m->toVariant();
    }
    case FieldType::Date: {
        QDate d = QDate::fromString(t, u"yyyy-MM-dd"_s);
        if (!d.isValid())
            d = QDate::fromString(t, u"yyyy/M/d"_s);
        if (!d.isValid())
            throw notValue();
        return d.toString(u"yyyy-MM-dd"_s);
    }
    }
    return QVariant();
}

QString FieldText::toText(const FieldDef& field, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (field.type) {
    case FieldType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case FieldType::Money:
        return Money::fromVariant(value).toString();
    case FieldType::Date: {
        const QDate d = QDate::fromString(value.toString(), u"yyyy-MM-dd"_s);
        return d.isValid() ? d.toString(u"yyyy/MM/dd"_s) : value.toString();
    }
    default:
        return value.toString();
    }
}

FieldText::Converted FieldText::convertStored(const FieldDef& field, const QVariant& stored)
{
    if (stored.isNull() || !stored.isValid())
        return {QVariant(), false, false};
    const int id = stored.typeId();
    const bool isReal = id == QMetaType::Double || id == QMetaType::Float;
    const bool isText = id == QMetaType::QString;
    const bool isWhole = !isReal && !isText && id != QMetaType::QByteArray;
    const auto lost = [] { return Converted{QVariant(), true, true}; };
    const auto made = [&](const QVariant& v) { return Converted{v, v != stored, false}; };
    // Numeric text the way the old engine read it on assignment.
    const auto number = [&](bool* ok) {
        QString plain = stored.toString().trimmed();
        plain.remove(u',');
        return plain.toDouble(ok);
    };

    switch (field.type) {
    case FieldType::Text:
        return {stored.toString(), !isText, false};
    case FieldType::Integer:
    case FieldType::AutoInc: {
        if (isWhole) {
            const qlonglong v = stored.toLongLong();
            if (v < TableCatalogue::integerMin(field) || v > TableCatalogue::integerMax(field))
                return lost();
            return made(QVariant::fromValue<qlonglong>(v));
        }
        bool ok = true;
        double d = isReal ? stored.toDouble() : number(&ok);
        if (!ok || !std::isfinite(d))
            return lost();
        d = std::trunc(d);
        if (d < double(TableCatalogue::integerMin(field)) ||
            d > double(TableCatalogue::integerMax(field)))
            return lost();
        return made(QVariant::fromValue<qlonglong>(static_cast<qlonglong>(d)));
    }
    case FieldType::Float: {
        bool ok = true;
        const double d = isText ? number(&ok) : stored.toDouble();
        if (!ok || !std::isfinite(d))
            return lost();
        return made(d);
    }
    case FieldType::Money: {
        try {
            if (isWhole)
                return made(Money::fromVariant(stored).toVariant());
            if (isReal) {
                const double yen = stored.toDouble();
                if (!std::isfinite(yen) || std::fabs(yen) > double(Money::kMaxYen))
                    return lost();
                return made(Money::fromUnits(std::llround(yen * 10000)).toVariant());
            }
            const auto m = Money::parse(stored.toString());
            return m ? made(m->toVariant()) : lost();
        } catch (const StoreError&) {
            return lost();
        }
    }
    case FieldType::Date: {
        if (!isText)
            return lost();
        try {
            return made(fromText(field, stored.toString()));
        } catch (const StoreError&) {
            return lost();
        }
    }
    }
    return lost();
}

} // namespace store
