#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A server on 127.0.0.1 that holds every request until the test releases
// it with the body to send, so the test can look at the program while a
// download is under way.
class HeldServer : public QObject {
public:
    HeldServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    if (s->readAll().contains("\r\n\r\n")) {
                        m_held = s;
                        answer();
                    }
                });
            }
        });
    }
    QByteArray base() const
    {
        return "http://127.0.0.1:" + QByteArray::number(m_server.serverPort());
    }
    void release(const QByteArray& body)
    {
        m_body = body;
        m_released = true;
        answer();
    }

private:
    void answer()
    {
        if (!m_released || !m_held)
            return;
        m_held->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(m_body.size()) +
                      "\r\nConnection: close\r\n\r\n" + m_body);
        m_held->disconnectFromHost();
        m_held = nullptr;
    }

    QTcpServer m_server;
    QPointer<QTcpSocket> m_held;
    QByteArray m_body;
    bool m_released = false;
};
