#include "store/DatabaseError.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace store::DatabaseError {

namespace {

// SQLite's primary result codes, as the Qt driver reports them.
enum : int {
    kPerm = 3,
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kIoErr = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kConstraint = 19,
    kNotADb = 26,
};

} // namespace

Kind classify(const QSqlError& error)
{
    bool numeric = false;
    // Extended codes carry the primary code in their low byte.
    const int code = error.nativeErrorCode().toInt(&numeric) & 0xff;
    if (numeric) {
        switch (code) {
        case kBusy:
        case kLocked:
            return Kind::Locked;
        case kFull:
            return Kind::Full;
        case kCorrupt:
        case kNotADb:
            return Kind::NotADatabase;
        case kReadOnly:
        case kPerm:
            return Kind::ReadOnly;
        case kCantOpen:
            return Kind::CannotOpen;
        case kIoErr:
            return Kind::Io;
        case kConstraint:
            return Kind::Constraint;
        default:
            break;
        }
    }
    // Some failures (opening a connection) arrive without a code.
    const QString text = error.databaseText() + u' ' + error.driverText();
    if (text.contains(u"locked"_s) || text.contains(u"busy"_s))
        return Kind::Locked;
    if (text.contains(u"disk is full"_s))
        return Kind::Full;
    if (text.contains(u"not a database"_s) || text.contains(u"malformed"_s))
        return Kind::NotADatabase;
    if (text.contains(u"readonly"_s) || text.contains(u"read-only"_s))
        return Kind::ReadOnly;
    if (text.contains(u"unable to open"_s))
        return Kind::CannotOpen;
    if (text.contains(u"I/O error"_s))
        return Kind::Io;
    return Kind::Other;
}

StoreError make(const QSqlError& error, const QString& databaseFile, const QString& statement)
{
    const QString file = QDir::toNativeSeparators(databaseFile);
    const QString folder = QDir::toNativeSeparators(QFileInfo(databaseFile).absolutePath());
    QString message;
    switch (classify(error)) {
    case Kind::Locked:
        message =
            u"%1 は他のプログラムが使用中のため、処理できませんでした。"
            u"このデータを使っている他のプログラムや画面を閉じてから、もう一度実行してください。"_s
                .arg(file);
        break;
    case Kind::Full:
        message =
            u"ディスクに空きがないため、%1 に書き込めませんでした。"
            u"不要なファイルを削除して空きを作ってから、もう一度実行してください。"_s.arg(file);
        break;
    case Kind::NotADatabase:
        message = u"%1 はデータベースのファイルではないか、壊れています。"
                  u"バックアップコピーから元に戻してください。"_s.arg(file);
        break;
    case Kind::ReadOnly:
        message =
            u"%1 に書き込めません。ファイルが読み取り専用か、フォルダ %2 に書き込む権限が"
            u"ありません。書き込めるようにしてから、もう一度実行してください。"_s.arg(file, folder);
        break;
    case Kind::CannotOpen:
        message = u"%1 を開けません。フォルダ %2 があり、書き込めることを確かめてから、"
                  u"もう一度実行してください。"_s.arg(file, folder);
        break;
    case Kind::Io:
        message = u"%1 の読み書きに失敗しました。ディスクやネットワークの接続を確かめてから、"
                  u"もう一度実行してください。"_s.arg(file);
        break;
    case Kind::Constraint:
        message = u"%1 に登録できません。同じコードのデータが既にあるか、必要な項目が空か、"
                  u"項目に合わない値です。入力した値を確かめてください。"_s.arg(file);
        break;
    case Kind::Other:
        message = u"%1 の処理中にデータベースのエラーが起きました。"_s.arg(file);
        break;
    }
    QString detail = error.text().trimmed();
    if (!statement.isEmpty())
        detail += u'\n' + statement;
    return StoreError(message, detail);
}

StoreError make(const QSqlError& error, const QSqlDatabase& db, const QString& statement)
{
    return make(error, db.databaseName(), statement);
}

} // namespace store::DatabaseError
