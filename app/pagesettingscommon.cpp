#include "pagesettingscommon.h"

#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "records/database.h"
#include "records/settings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

// A settings file is a few kilobytes; anything this large is not one.
const qint64 kMaxImportSize = 1024 * 1024;

const QString kReceiverKey = QStringLiteral("email/receiver");

// The exported settings, in the order in which they are written and read.
QList<int> exportedTypes()
{
    return {Settings::LanguageAuto, Settings::LanguageType, Settings::EMailEnable,
            Settings::EMailSenderName, Settings::EMailSenderAddress, Settings::EMailEncrypt,
            Settings::EMailServerAddress, Settings::EMailServerPort, Settings::EMailAuthEnable,
            Settings::EMailAuthName, Settings::EMailAuthPassword, Settings::EMailDailyEnable,
            Settings::EMailDailyTime, Settings::ShutdownEnable, Settings::ShutdownMainFaultTime,
            Settings::ShutdownBattLowTime, Settings::ShutdownMainFaultCap, Settings::ShutdownUPSOff,
            Settings::ShutdownUPSOffTime};
}

QString receiverTable()
{
    return Database::tableName(Database::EMailUser);
}

void replaceReceivers(const QJsonArray &receivers)
{
    QVariantList users;
    for (const QJsonValue &value : receivers) {
        if (value.isString())
            users.append(value.toString());
    }
    QSqlDatabase db = QSqlDatabase::database();
    db.transaction();
    QSqlQuery query;
    bool ok = query.exec(QStringLiteral("delete from %1;").arg(receiverTable()));
    if (ok && !users.isEmpty()) {
        ok = query.prepare(QStringLiteral("insert into %1(user) values(?)").arg(receiverTable()));
        query.addBindValue(users);
        ok = ok && query.execBatch();
    }
    if (ok)
        db.commit();
    else
        db.rollback();
    ServiceEMail::instance()->userModel()->select();
}

} // namespace

PageSettingsCommon::PageSettingsCommon(QObject *parent) : QObject(parent) {}

void PageSettingsCommon::settingsSaveAs(QUrl file)
{
    Settings *settings = Settings::instance();
    QJsonObject object;
    for (int type : exportedTypes())
        object.insert(settings->keyName(type), settings->getSettings(type, true).toString());

    QJsonArray receivers;
    QSqlQuery query;
    if (query.exec(QStringLiteral("select user from %1;").arg(receiverTable()))) {
        while (query.next())
            receivers.append(query.value(0).toString());
    }
    object.insert(kReceiverKey, receivers);

    QFile out(file.toLocalFile());
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

void PageSettingsCommon::settingsImport(QUrl file)
{
    QFile in(file.toLocalFile());
    if (!in.open(QIODevice::ReadOnly) || in.size() > kMaxImportSize)
        return;
    const QJsonDocument document = QJsonDocument::fromJson(in.readAll());
    if (!document.isObject())
        return;
    const QJsonObject object = document.object();

    Settings *settings = Settings::instance();
    for (int type : exportedTypes()) {
        const QJsonValue value = object.value(settings->keyName(type));
        // The password comes in its stored form and is stored as it is.
        if (value.isString())
            settings->setSettings(type, value.toString(), true);
    }
    const QJsonValue receivers = object.value(kReceiverKey);
    if (receivers.isArray())
        replaceReceivers(receivers.toArray());
    emit settingsChanged();
}

void PageSettingsCommon::settingsRestore()
{
    Settings::instance()->restore();
    ServiceEMail::instance()->userModel()->clearUsers();
    emit settingsChanged();
}
