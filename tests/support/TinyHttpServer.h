#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// A one-thread HTTP server on 127.0.0.1 for download tests: answers GET
// requests from a table of paths; unknown paths get 404. It serves while
// the caller's event loop runs (the download routine runs one).
class TinyHttpServer : public QObject {
public:
    TinyHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this]() {
            while (QTcpSocket* s = m_server.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, this, [this, s]() { serve(s); });
                QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    QString base() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }
    void put(const QString& path, const QByteArray& body) { m_files[path] = body; }
    // Sends the headers and half of the body, then drops the connection.
    void truncate(const QString& path) { m_truncated[path] = true; }
    // The path of every request received so far, in order.
    const QStringList& requests() const { return m_requests; }

private:
    void serve(QTcpSocket* s)
    {
        m_pending[s] += s->readAll();
        if (!m_pending[s].contains("\r\n\r\n"))
            return;
        const QList<QByteArray> words = m_pending[s].split(' ');
        const QString path = words.size() > 1 ? QString::fromLatin1(words.at(1)) : QString();
        m_pending.remove(s);
        m_requests << path;
        if (!m_files.contains(path)) {
            s->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            s->disconnectFromHost();
            return;
        }
        const QByteArray body = m_files.value(path);
        s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                 "\r\nConnection: close\r\n\r\n");
        if (m_truncated.value(path)) {
            s->write(body.left(body.size() / 2));
            s->flush();
            s->abort();
            return;
        }
        s->write(body);
        s->disconnectFromHost();
    }

    QTcpServer m_server;
    QMap<QString, QByteArray> m_files;
    QMap<QString, bool> m_truncated;
    QMap<QTcpSocket*, QByteArray> m_pending;
    QStringList m_requests;
};
