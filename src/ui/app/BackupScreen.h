#pragma once

#include "ui/widgets/ModalScreen.h"

#include <QDateTime>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace store {
class Platform;
class Prompter;
} // namespace store

namespace app {

// The backup screen "データのバックアップ": the mode ("時系列保存" or
// "上書保存"), the destination base with "参照", the source and the
// destination the copy goes into. "実　　行" runs store::BackupCopy with a
// progress window; the screen closes when the backup is complete. The base
// is read from HeadM.PathName2 when the screen opens and stored there
// whenever it closes, by whatever means.
class BackupScreen : public widgets::ModalScreen {
    Q_OBJECT
public:
    // Messages and questions go through prompter, or through message boxes
    // when none is given; the folder chooser through platform.
    explicit BackupScreen(store::Platform& platform, store::Prompter* prompter = nullptr,
                          QWidget* parent = nullptr);
    ~BackupScreen() override;

    // The time a dated destination is named after (the clock, for tests).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    QLineEdit* baseEdit() const { return m_base; }
    QLineEdit* destinationField() const { return m_destination; }
    QLabel* sourceLabel() const { return m_source; }
    QRadioButton* datedButton() const { return m_dated; }
    QRadioButton* overwriteButton() const { return m_overwrite; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* runButton() const { return m_run; }
    QPushButton* cancelButton() const { return m_cancel; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void recompute();
    void browse();
    void runBackup();

    store::Platform& m_platform;
    std::unique_ptr<store::Prompter> m_ownPrompter;
    store::Prompter* m_prompter;
    std::function<QDateTime()> m_clock;
    QRadioButton* m_dated;
    QRadioButton* m_overwrite;
    QLineEdit* m_base;
    QPushButton* m_browse;
    QLabel* m_source;
    QLineEdit* m_destination;
    QPushButton* m_run;
    QPushButton* m_cancel;
    bool m_opened = false;
};

} // namespace app
