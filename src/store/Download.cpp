#include "store/Download.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace store {

QString Download::serverBase()
{
    const QString env = qEnvironmentVariable("ZORAVIN_SERVER").trimmed();
    QString base = env.isEmpty() ? defaultServerBase() : env;
    while (base.endsWith(u'/'))
        base.chop(1);
    return base;
}

QUrl Download::serverUrl(const QString& path)
{
    return QUrl(serverBase() + (path.startsWith(u'/') ? path : u'/' + path));
}

bool Download::DownloadFile(const QUrl& url, const QString& localPath, int timeoutMs)
{
    if (!url.isValid() || (url.scheme() != u"https"_s && url.scheme() != u"http"_s))
        return false;
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = manager.get(request);
    bool writeFailed = false;
    QObject::connect(reply, &QNetworkReply::readyRead, [&]() {
        const QByteArray chunk = reply->readAll();
        if (file.write(chunk) != chunk.size())
            writeFailed = true;
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();

    const QByteArray rest = reply->readAll();
    if (file.write(rest) != rest.size())
        writeFailed = true;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok =
        reply->error() == QNetworkReply::NoError && status >= 200 && status < 300 && !writeFailed;
    reply->deleteLater();
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace store
