#pragma once

#include <QString>
#include <QUrl>

namespace store {

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
};

} // namespace store
