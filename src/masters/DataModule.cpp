#include "masters/DataModule.h"

#include "masters/NameLists.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace masters {

namespace {
DataModule* g_current = nullptr;
}

DataModule::DataModule() : TaxFactor(1.08), m_previous(g_current)
{
    QDir().mkpath(store::Session::privateFolder());
    MealNames.fill(QString(), NameLists::SharedSize);
    TargetNames.fill(QString(), NameLists::SharedSize);
    g_current = this;
}

DataModule::~DataModule()
{
    if (g_current == this)
        g_current = m_previous;
}

DataModule* DataModule::current()
{
    return g_current;
}

DataModule& dataModule()
{
    if (!g_current)
        throw store::StoreError(u"データモジュールがありません。"_s);
    return *g_current;
}

void DataModule::setWorkDir(const QString& folder)
{
    m_session.reset();
    WorkDir = QDir::cleanPath(folder);
    DataDir.clear();
    m_session = std::make_unique<store::Session>(WorkDir);
}

bool DataModule::OpenDataDir()
{
    DataDir = session().dataDir();
    if (!QFileInfo(DataDir).isDir())
        return false;
    session().openData();
    return true;
}

void DataModule::LoadNames()
{
    MealNames = NameLists::load(session().aaa(), NameList::MealTypes);
    TargetNames = NameLists::load(session().aaa(), NameList::TargetGroups);
}

store::Session& DataModule::session() const
{
    if (!m_session)
        throw store::StoreError(u"作業フォルダが設定されていません。"_s);
    return *m_session;
}

} // namespace masters
