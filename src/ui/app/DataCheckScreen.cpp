#include "ui/app/DataCheckScreen.h"

#include "menu/DataCheck.h"
#include "store/Prompter.h"
#include "store/StoreError.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace app {

QString DataCheckScreen::explanation()
{
    return u"この栄養計算ソフトは次の主要なテーブルで構成しています。\n"
           u"　食品マスター(SyokuM)\n"
           u"　料理マスター(RyoriM.dat RyoriD)\n"
           u"　献立マスター(kondateM kondateM2 konateM3 kondateD kondateQ)\n"
           u"これらのテーブル間で何らかの異常が生じた場合、この処理を実行すると\n"
           u"テーブル間の関係を再編成して、連携関係の無いレコードは自動的に削除できます。"_s;
}

QString DataCheckScreen::backupWarning()
{
    return u"この処理は、データテーブルを変更しますので、必ずデータのバックアップを行ってから"
           u"実行してください。"_s;
}

DataCheckScreen::DataCheckScreen(store::Session& session, store::Prompter& prompter,
                                 QWidget* parent)
    : ModalScreen(parent), m_session(session), m_prompter(prompter),
      m_run(new QPushButton(u"再構築の実行"_s, this))
{
    setObjectName(u"DataCheck"_s);
    setWindowTitle(u"データテーブルの再構成"_s);

    auto* title = new QLabel(u"データテーブルの再構成"_s, this);
    title->setObjectName(u"TitleBand"_s);
    title->setAlignment(Qt::AlignCenter);
    QFont tf = title->font();
    tf.setPointSizeF(tf.pointSizeF() * 1.6);
    tf.setBold(true);
    title->setFont(tf);
    title->setStyleSheet(u"background: #c00000; color: white; padding: 10px;"_s);

    auto* text = new QLabel(explanation(), this);
    text->setObjectName(u"Explanation"_s);
    text->setContentsMargins(16, 12, 16, 4);

    auto* warning = new QLabel(backupWarning(), this);
    warning->setObjectName(u"BackupWarning"_s);
    warning->setWordWrap(true);
    warning->setStyleSheet(
        u"background: #ffff80; border: 1px solid #b0a000; padding: 8px; font-weight: bold;"_s);

    m_run->setAutoDefault(false);
    m_run->setMinimumSize(196, 38);
    connect(m_run, &QPushButton::clicked, this, &DataCheckScreen::runCheck);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 16);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(text);
    auto* lower = new QVBoxLayout;
    lower->setContentsMargins(16, 0, 16, 0);
    lower->setSpacing(14);
    lower->addWidget(warning);
    lower->addWidget(m_run, 0, Qt::AlignHCenter);
    layout->addLayout(lower);
}

void DataCheckScreen::runCheck()
{
    try {
        const menu::DataCheck::Summary summary = menu::DataCheck::run(m_session, m_prompter);
        if (!summary.consistencyRun)
            return;
        m_prompter.information(menu::DataCheck::completionText(summary));
        accept();
    } catch (const store::StoreError& e) {
        // The run ends here; what the check finished before stays done.
        m_prompter.warning(e.message());
    }
}

} // namespace app
