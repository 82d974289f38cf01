#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace store {
class Prompter;
}

namespace masters {

// Merging a food-composition data file into the food master, and the two
// passes over the food names that go with it.
//
// The file is Shift-JIS text, one food per line, values separated by commas
// without quoting, a heading line first: code, name, group of classification
// 1, waste rate, then the thirteen nutrients in the order of the nutrient set.
class FoodImport {
public:
    using Progress = std::function<void(int done, int total)>;

    // ImportFoodCsv: every line after the heading updates the food with its
    // code (a four-character code gets a leading "0") or appends a new one;
    // the name loses its first (…), ＜…＞ and ［…］ sections; values from
    // position 3 on replace the food's waste rate and nutrients, an empty
    // value empties the field. The groups of an existing food stay; a new
    // food takes its classification-1 group from the file. A line whose value
    // cannot be stored is reported through the prompter with that value and
    // skipped. The merge is one transaction. Returns the number of lines
    // stored; a missing file changes nothing and returns 0. Line ends are
    // CR LF, LF or CR; a value in double quotes may hold commas. A file that
    // is no Shift-JIS (UTF-8 among them), has a quote that never closes or
    // holds no food line is refused (store::StoreError naming the file and
    // line) before any food changes.
    static int ImportFoodCsv(const QSqlDatabase& db, const QString& path, store::Prompter& prompter,
                             const Progress& progress = {});

    // The name as the merge stores it (brackets removed, nothing else).
    static QString cleanName(const QString& name);

    // Every food name converted to full width and then to katakana, so that
    // a search typed in hiragana finds it.
    static void NormaliseNames(const QSqlDatabase& db, const Progress& progress = {});
    // Every food name stripped of blanks and control characters at both ends
    // (full-width blanks included): to half width, trimmed, back to full width.
    static void TrimNames(const QSqlDatabase& db, const Progress& progress = {});

    static constexpr int kMaxValues = 1000;
};

} // namespace masters
