#include "store/Download.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <utility>

using namespace Qt::StringLiterals;

namespace store {

namespace {

DownloadObserver* g_observer = nullptr;

} // namespace

DownloadObserver* Download::setObserver(DownloadObserver* observer)
{
    return std::exchange(g_observer, observer);
}

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

    DownloadObserver* const observer = g_observer;
    if (observer)
        observer->downloadStarted(url, localPath);
    struct Finish {
        DownloadObserver* observer;
        bool ok = false;
        ~Finish()
        {
            if (observer)
                observer->downloadFinished(ok);
        }
    } finish{observer};

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
    if (observer)
        QObject::connect(reply, &QNetworkReply::downloadProgress,
                         [observer](qint64 received, qint64 total) {
                             observer->downloadProgressed(received, total);
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
    finish.ok = file.commit();
    return finish.ok;
}

} // namespace store
