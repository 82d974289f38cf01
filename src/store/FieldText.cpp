#include "store/FieldText.h"

#include "store/Cp932.h"
#include "store/Money.h"
#include "store/Sql.h"
#include "store/StoreError.h"

#include <QDate>
#include <QRegularExpression>

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
    QSqlQuery q = Sql::exec(db, u"SELECT name, type, pk FROM pragma_table_info(?)"_s, {table});
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
        } else if (type.startsWith(u"INT"_s)) {
            f.type = (autoInc && q.value(2).toInt() == 1) ? FieldType::AutoInc : FieldType::Integer;
        } else if (type == u"FLOAT"_s || type == u"REAL"_s || type == u"DOUBLE"_s) {
            f.type = FieldType::Float;
        } else if (type == u"MONEY"_s) {
            f.type = FieldType::Money;
        } else if (type == u"DATE"_s) {
            f.type = FieldType::Date;
        } else {
            f.type = FieldType::Text;
        }
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
    if (t.isEmpty())
        return QVariant();
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

} // namespace store
