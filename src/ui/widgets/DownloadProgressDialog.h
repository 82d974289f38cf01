#pragma once

#include "store/Download.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace widgets {

// While it exists, every download shows this modal window with the file's
// name and how much has arrived. It blocks the input of every other window
// of the program, so nothing can be opened on data that is half upgraded,
// and it cannot be closed by the user: it closes when the download ends.
class DownloadProgressDialog : public QDialog, public store::DownloadObserver {
    Q_OBJECT
public:
    explicit DownloadProgressDialog(QWidget* parent = nullptr);
    ~DownloadProgressDialog() override;

    QLabel* label() const { return m_label; }
    QProgressBar* bar() const { return m_bar; }

    void downloadStarted(const QUrl& url, const QString& localPath) override;
    void downloadProgressed(qint64 received, qint64 total) override;
    void downloadFinished(bool ok) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_label;
    QProgressBar* m_bar;
    store::DownloadObserver* m_previous;
    bool m_running = false;
};

} // namespace widgets
