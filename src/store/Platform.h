#pragma once

#include <QString>
#include <QStringList>

namespace store {

// What only a desktop shell can do: open an address or a document with the
// desktop's own handler, start a program, let the user choose a folder. Logic
// that needs one of these takes a Platform, so it runs in tests (with
// RecordingPlatform) and on any operating system (one implementation each).
class Platform {
public:
    virtual ~Platform() = default;
    // Opens a web address in the desktop's browser; false when nothing opened it.
    virtual bool openAddress(const QString& url) = 0;
    // Opens a file with the program the desktop associates with it.
    virtual bool openDocument(const QString& path) = 0;
    // Starts a program with arguments and does not wait for it; false when it
    // could not be started.
    virtual bool startProgram(const QString& path, const QStringList& arguments) = 0;
    // The folder the user chose, starting at startFolder; empty when cancelled.
    virtual QString chooseFolder(const QString& caption, const QString& startFolder) = 0;
};

// Does nothing but remember what it was asked, and answers as told: for tests.
class RecordingPlatform : public Platform {
public:
    struct Call {
        QString what; // "openAddress", "openDocument", "startProgram", "chooseFolder"
        QString target;
        QStringList arguments;
    };

    bool openAddress(const QString& url) override { return record(u"openAddress", url); }
    bool openDocument(const QString& path) override { return record(u"openDocument", path); }
    bool startProgram(const QString& path, const QStringList& arguments) override
    {
        return record(u"startProgram", path, arguments);
    }
    QString chooseFolder(const QString& caption, const QString& startFolder) override
    {
        record(u"chooseFolder", startFolder, {caption});
        return chosenFolder;
    }

    QList<Call> calls;
    bool succeeds = true; // what openAddress, openDocument and startProgram answer
    QString chosenFolder; // what chooseFolder answers ("" = cancelled)

private:
    bool record(const char16_t* what, const QString& target, const QStringList& arguments = {})
    {
        calls.append({QString::fromUtf16(what), target, arguments});
        return succeeds;
    }
};

} // namespace store
