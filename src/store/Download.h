#pragma once

#include <QString>
#include <QUrl>

namespace store {

// Told about each download while it runs, so that a program with windows
// can show it and keep the user's hands off while the data it belongs to is
// half done. Called on the thread of DownloadFile.
class DownloadObserver {
public:
    virtual ~DownloadObserver() = default;
    virtual void downloadStarted(const QUrl& url, const QString& localPath) = 0;
    // total is -1 while the server has not said how long the file is.
    virtual void downloadProgressed(qint64 received, qint64 total) = 0;
    virtual void downloadFinished(bool ok) = 0;
};

// The maker's download server and the fetch of one file from it.
class Download {
public:
    // The server's base address: the environment variable ZORAVIN_SERVER
    // (scheme, host and port, for tests and support) or the built-in https
    // default.
    static QString serverBase();
    static QString defaultServerBase() { return QStringLiteral("https://www.zoravin.jp"); }
    // The address of a path on the server ("/syoku/syokuM2010.csv").
    static QUrl serverUrl(const QString& path);

    // Fetches url into localPath and waits until it ends. The file is
    // written beside the target first and replaces it only when the whole
    // body has arrived, so a failed fetch leaves an existing file as it was.
    // True exactly when the fetch succeeded (HTTP 2xx and the file written);
    // no message is shown. timeoutMs bounds a stalled transfer.
    static bool DownloadFile(const QUrl& url, const QString& localPath, int timeoutMs = 60000);

    // The observer that every DownloadFile reports to (none by default);
    // returns the one set before, so a caller can put it back.
    static DownloadObserver* setObserver(DownloadObserver* observer);
};

} // namespace store
