#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace data {

// The data files delivered with the program (foods, food groups, meal types,
// target groups, nutrient standards, sample dishes and the demo menus), held
// as resources, and the reader of the plain UTF-8 ones among them.
class DataFiles {
public:
    // The path of a delivered file, such as ":/data/foods2023.csv" for
    // "foods2023.csv"; QFile and QFileInfo read it like any other path.
    static QString path(const QString& name);

    // The records of a UTF-8 file after its heading line: values separated
    // by commas without quoting, CRLF or LF line ends, empty lines skipped.
    // Throws store::StoreError when the file is missing, is not UTF-8, or a
    // record has not as many values as the heading.
    static QList<QStringList> readUtf8(const QString& name);

    // The credit that the terms of the food-composition tables require
    // wherever the program names the source of its food data.
    static QString attribution();
};

} // namespace data
