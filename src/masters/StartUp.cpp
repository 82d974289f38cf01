#include "masters/StartUp.h"

#include "masters/DataModule.h"
#include "masters/SettingsRow.h"
#include "masters/StartUpScreens.h"
#include "masters/UserPassword.h"
#include "store/Installation.h"
#include "store/Prompter.h"
#include "store/SchemaUpgrade.h"

#include <QDate>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace masters {

StartUp::StartUp(DataModule& dm, store::Prompter& prompter, StartUpScreens& screens)
    : m_dm(dm), m_prompter(prompter), m_screens(screens)
{
}

QString StartUp::programFileMessage(const QString& programName)
{
    // The file is named without ".exe" outside Windows; the message names the
    // file the user has to restore.
#ifdef Q_OS_WIN
    const QString file = programName + u".exe"_s;
#else
    const QString file = programName;
#endif
    return u"実行プログラムのファイル名が変更されているために実行できません。\nファイル名を　"_s +
           file + u" に戻して実行してください。"_s;
}

QString StartUp::noSettingsMessage()
{
    return u"実行できる環境ではありませんので、終了します。"_s;
}

QString StartUp::noDataFolderMessage()
{
    return u"「栄養計算」フォルダの中に「Data」フォルダがありませんので、終了します。"_s;
}

QString StartUp::convertedValuesMessage(qsizetype count)
{
    return u"データを新しい形式に移しました。そのままでは入らなかった値が %1 件あり、"
           u"変換するか空にして、元の値を %2 に記録しました。内容を確かめてください。"_s.arg(count)
               .arg(store::SchemaUpgrade::notesFileName());
}

Activation StartUp::activate(const QString& currentFolder)
{
    // Closing a message box or a start-up dialog activates the main window
    // again; that activation must not start a second round of checks.
    if (m_running)
        return Activation::Running;
    m_running = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_running};

    m_dm.ProgramName = store::Installation::programName();
    const QString programFile = currentFolder + u'/' + store::Installation::programFileName();
    if (!QFileInfo::exists(programFile)) {
        m_prompter.information(programFileMessage(m_dm.ProgramName));
        return Activation::Ended;
    }
    if (!store::Installation::hasSettingsTable(m_dm.WorkDir)) {
        m_prompter.information(noSettingsMessage());
        return Activation::Ended;
    }
    if (!m_dm.FirstActivation)
        return Activation::Running;
    return firstActivation();
}

Activation StartUp::firstActivation()
{
    store::Session& session = m_dm.session();
    session.openSettings();
    store::SchemaUpgrade settings(session);
    settings.upgradeSettings();
    if (!StartCheck())
        return Activation::Ended;
    if (!m_dm.OpenDataDir()) {
        m_prompter.information(noDataFolderMessage());
        return Activation::Ended;
    }
    store::SchemaUpgrade upgrade(session);
    upgrade.createTables();
    upgrade.upgradeData();
    if (const qsizetype converted = settings.notes().size() + upgrade.notes().size())
        m_prompter.information(convertedValuesMessage(converted));
    m_dm.LoadNames();
    m_dm.FirstActivation = false;
    return Activation::Running;
}

bool StartUp::StartCheck()
{
    SettingsRow row(m_dm.session().ahm());
    const StartValues start = row.readStart();
    m_dm.InstitutionName = start.institutionName;
    m_dm.TaxEntryMode = start.taxEntryMode;
    m_dm.FiscalYear = start.fiscalYear;

    if (!UserPassword::accepts(m_screens.askPassword(), start.expectedPassword))
        return false;

    if (row.institutionName().isEmpty()) {
        m_screens.askInstitutionName();
        // The header shows the name typed just now, not the empty one read
        // before the dialog.
        m_dm.InstitutionName = row.institutionName();
    }

    m_dm.FiscalYear = row.fiscalYear();
    if (m_dm.FiscalYear == 0) {
        m_dm.FiscalYear = QDate::currentDate().year();
        row.writeFirstRunDefaults(m_dm.FiscalYear);
        m_screens.showFirstRunSettings();
    }
    return true;
}

} // namespace masters
