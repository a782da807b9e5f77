#include "pagesettingscommon.h"

#include "app/settingsrules.h"
#include "email/listmodelemailuser.h"
#include "email/serviceemail.h"
#include "platform/privatesavefile.h"
#include "platform/regularfile.h"
#include "records/database.h"
#include "records/settings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// A settings file is a few kilobytes; anything this large is not one.
const qint64 kMaxImportSize = 1024 * 1024;
// How much of a refused value the message quotes.
const int kQuotedLength = 40;

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

// SQLite's reason, empty when the receivers are replaced: all of them or,
// with the reason, none.
QString replaceReceivers(const QVariantList &users)
{
    QSqlDatabase db = QSqlDatabase::database();
    if (!db.transaction())
        return Database::reason(db.lastError());
    QSqlQuery query(db);
    bool ok = query.exec(QStringLiteral("delete from %1;").arg(receiverTable()));
    if (ok && !users.isEmpty()) {
        ok = query.prepare(QStringLiteral("insert into %1(user) values(?)").arg(receiverTable()));
        query.addBindValue(users);
        ok = ok && query.execBatch();
    }
    const QSqlError error = !ok ? query.lastError() : db.commit() ? QSqlError() : db.lastError();
    if (ok && !error.isValid())
        return QString();
    db.rollback();
    return Database::reason(error);
}

QString quoted(const QJsonValue &value)
{
    QString text = value.isString() ? value.toString()
                                    : QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)
                                                            .mid(1).chopped(1));
    if (text.size() > kQuotedLength)
        text = text.left(kQuotedLength) + QStringLiteral("...");
    return text;
}

} // namespace

class PageSettingsCommonPrivate
{
public:
    // The settings of the object, checked; false with the error set when
    // any value is not acceptable.
    bool check(const QJsonObject &object, QVariantList *receivers);
    bool refuse(const QString &key, const QJsonValue &value);
    bool exportTo(const QString &path);
    bool importFrom(const QString &path, PageSettingsCommon *page);

    QString error;
};

bool PageSettingsCommonPrivate::refuse(const QString &key, const QJsonValue &value)
{
    error = PageSettingsCommon::tr("Invalid value of %1: \"%2\"").arg(key, quoted(value));
    return false;
}

bool PageSettingsCommonPrivate::check(const QJsonObject &object, QVariantList *receivers)
{
    Settings *settings = Settings::instance();
    SettingsRules *rules = SettingsRules::instance();
    for (int type : exportedTypes()) {
        const QString key = settings->keyName(type);
        const auto value = object.constFind(key);
        if (value != object.constEnd() && !(value->isString() && rules->accepts(type, value->toString())))
            return refuse(key, *value);
    }
    const auto list = object.constFind(kReceiverKey);
    if (list == object.constEnd())
        return true;
    if (!list->isArray())
        return refuse(kReceiverKey, *list);
    for (const QJsonValue &user : list->toArray()) {
        if (!user.isString() || !rules->isAddress(user.toString()))
            return refuse(kReceiverKey, user);
        receivers->append(user.toString());
    }
    return true;
}

bool PageSettingsCommonPrivate::exportTo(const QString &path)
{
    Settings *settings = Settings::instance();
    QJsonObject object;
    for (int type : exportedTypes())
        object.insert(settings->keyName(type), settings->getSettings(type, true).toString());

    // A list that cannot be read whole is not written as an empty one.
    QStringList receivers;
    const QSqlError readError = ServiceEMail::storedReceivers(&receivers);
    if (readError.isValid()) {
        error = PageSettingsCommon::tr("The mail receivers cannot be read from the database: %1")
                    .arg(Database::reason(readError));
        return false;
    }
    object.insert(kReceiverKey, QJsonArray::fromStringList(receivers));

    // It holds the stored form of the mail password, which is no secret.
    PrivateSaveFile out(path);
    const QByteArray content = QJsonDocument(object).toJson(QJsonDocument::Indented);
    if (out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.finish())
        return true;
    error = PageSettingsCommon::tr("The file cannot be written: %1").arg(out.errorString());
    return false;
}

bool PageSettingsCommonPrivate::importFrom(const QString &path, PageSettingsCommon *page)
{
    QByteArray content;
    switch (RegularFile::read(path, kMaxImportSize, &content)) {
    case RegularFile::Read:
        break;
    case RegularFile::Unreadable:
        error = PageSettingsCommon::tr("The file cannot be read.");
        return false;
    case RegularFile::NotRegular:
        error = PageSettingsCommon::tr("This is not a regular file.");
        return false;
    case RegularFile::TooLarge:
        error = PageSettingsCommon::tr("The file is larger than 1 MiB.");
        return false;
    }
    const QJsonDocument document = QJsonDocument::fromJson(content);
    if (!document.isObject()) {
        error = PageSettingsCommon::tr("The file holds no settings.");
        return false;
    }
    const QJsonObject object = document.object();
    QVariantList receivers;
    if (!check(object, &receivers))
        return false;

    // The receivers first: the settings are taken over only with them.
    if (object.contains(kReceiverKey)) {
        const QString failure = replaceReceivers(receivers);
        if (!failure.isEmpty()) {
            error = PageSettingsCommon::tr("The mail receivers cannot be stored in the database: %1").arg(failure);
            return false;
        }
        ServiceEMail::instance()->userModel()->select();
    }
    Settings *settings = Settings::instance();
    for (int type : exportedTypes()) {
        const QJsonValue value = object.value(settings->keyName(type));
        // The password comes in its stored form and is stored as it is.
        if (value.isString())
            settings->setSettings(type, value.toString(), true);
    }
    emit page->settingsChanged();
    return true;
}

PageSettingsCommon::PageSettingsCommon(QObject *parent)
    : QObject(parent), d(new PageSettingsCommonPrivate)
{
}

PageSettingsCommon::~PageSettingsCommon()
{
    delete d;
}

bool PageSettingsCommon::settingsSaveAs(QUrl file)
{
    if (d->exportTo(file.toLocalFile()))
        return true;
    qWarning("The settings export to %s failed: %s", QFile::encodeName(file.toLocalFile()).constData(),
             qPrintable(d->error));
    return false;
}

bool PageSettingsCommon::settingsImport(QUrl file)
{
    if (d->importFrom(file.toLocalFile(), this))
        return true;
    qWarning("The settings import from %s failed: %s", QFile::encodeName(file.toLocalFile()).constData(),
             qPrintable(d->error));
    return false;
}

void PageSettingsCommon::settingsRestore()
{
    Settings::instance()->restore();
    ServiceEMail::instance()->userModel()->clearUsers();
    emit settingsChanged();
}

QString PageSettingsCommon::errorString() const
{
    return d->error;
}
