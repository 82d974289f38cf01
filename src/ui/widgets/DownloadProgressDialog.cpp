#include "ui/widgets/DownloadProgressDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace widgets {

DownloadProgressDialog::DownloadProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_label(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_previous(store::Download::setObserver(this))
{
    setObjectName(u"DownloadProgress"_s);
    setWindowTitle(u"ダウンロード"_s);
    setWindowModality(Qt::ApplicationModal);
    m_bar->setRange(0, 0);
    m_bar->setMinimumWidth(420);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 18);
    layout->setSpacing(12);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
}

DownloadProgressDialog::~DownloadProgressDialog()
{
    store::Download::setObserver(m_previous);
}

void DownloadProgressDialog::downloadStarted(const QUrl&, const QString& localPath)
{
    m_running = true;
    m_label->setText(u"「%1」をダウンロードしています。\nしばらくお待ちください。"_s.arg(
        QFileInfo(localPath).fileName()));
    m_bar->setRange(0, 0);
    show();
    raise();
    // Drawn before the transfer starts; the download's own loop keeps it
    // up to date afterwards.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DownloadProgressDialog::downloadProgressed(qint64 received, qint64 total)
{
    if (total > 0) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(int(received * 1000 / total));
    }
}

void DownloadProgressDialog::downloadFinished(bool)
{
    m_running = false;
    hide();
}

void DownloadProgressDialog::keyPressEvent(QKeyEvent* event)
{
    // Esc would close the window while the download goes on.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DownloadProgressDialog::closeEvent(QCloseEvent* event)
{
    if (m_running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace widgets
