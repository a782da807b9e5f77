#include "settingsrules.h"

#include "app/translator.h"
#include "records/settings.h"

#include <QHash>
#include <QRegularExpression>

namespace {

enum class Kind { Flag, Number, Text, Address, TimeOfDay, StoredPassword };

struct Rule
{
    Kind kind = Kind::Text;
    int minimum = 0;
    int maximum = 0;
};

// Written without nested repetition, so that a long invalid text is refused
// at once instead of sending the matcher into exponential backtracking.
const char kAddressPattern[] =
    "^[a-zA-Z0-9]+([_|.][a-zA-Z0-9]+)*@[a-zA-Z0-9]+([_|.][a-zA-Z0-9]+)*\\.[a-zA-Z]{2,3}$";

// A "$" also matches before a final line feed: the whole text must match.
bool matchesWhole(const QRegularExpression &expression, const QString &text)
{
    const QRegularExpressionMatch match = expression.match(text);
    return match.hasMatch() && match.capturedLength() == text.size();
}

} // namespace

class SettingsRulesPrivate
{
public:
    SettingsRulesPrivate();

    QHash<int, Rule> rules;
    QRegularExpression address{QLatin1String(kAddressPattern)};
    QRegularExpression number{QStringLiteral("^[0-9]{1,9}$")};
    QRegularExpression timeOfDay{QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$")};
};

SettingsRulesPrivate::SettingsRulesPrivate()
{
    const Rule flag{Kind::Flag};
    const Rule text{Kind::Text};
    const Rule address{Kind::Address};
    const auto number = [](int minimum, int maximum) { return Rule{Kind::Number, minimum, maximum}; };
    rules = {
        {Settings::LanguageAuto, flag},
        {Settings::LanguageType, number(Translator::EN_GB, Translator::RU_RU)},
        {Settings::EMailEnable, flag},
        {Settings::EMailSenderName, text},
        {Settings::EMailSenderAddress, address},
        {Settings::EMailServerAddress, text},
        {Settings::EMailServerPort, number(1, 65535)},
        {Settings::EMailAuthEnable, flag},
        {Settings::EMailAuthName, address},
        {Settings::EMailAuthPassword, Rule{Kind::StoredPassword}},
        {Settings::EMailDailyEnable, flag},
        {Settings::EMailDailyTime, Rule{Kind::TimeOfDay}},
        {Settings::EMailEncrypt, number(0, 2)},
        {Settings::ShutdownEnable, flag},
        {Settings::ShutdownMainFaultTime, number(0, 2880)},
        {Settings::ShutdownBattLowTime, number(0, 600)},
        {Settings::ShutdownMainFaultCap, number(1, 100)},
        {Settings::ShutdownUPSOff, flag},
        // The range the shutdown page gives: 1 to 9 minutes.
        {Settings::ShutdownUPSOffTime, number(1, 9)},
        {Settings::ShutdownExecTime, number(1, 30)},
        {Settings::UpsDataSaveCycle, number(1, 600)},
    };
}

SettingsRules::SettingsRules()
    : d(new SettingsRulesPrivate)
{
}

SettingsRules::~SettingsRules()
{
    delete d;
}

SettingsRules *SettingsRules::instance()
{
    static SettingsRules *rules = new SettingsRules;
    return rules;
}

int SettingsRules::minimum(int type) const
{
    return d->rules.value(type).minimum;
}

int SettingsRules::maximum(int type) const
{
    return d->rules.value(type).maximum;
}

bool SettingsRules::accepts(int type, const QString &text) const
{
    const auto rule = d->rules.constFind(type);
    if (rule == d->rules.constEnd())
        return false;
    switch (rule->kind) {
    case Kind::Flag:
        return text == QLatin1String("true") || text == QLatin1String("false");
    case Kind::Number: {
        if (!matchesWhole(d->number, text))
            return false;
        const int value = text.toInt();
        return value >= rule->minimum && value <= rule->maximum;
    }
    case Kind::Text:
        return true;
    case Kind::Address:
        return text.isEmpty() || isAddress(text);
    case Kind::TimeOfDay:
        return isTimeOfDay(text);
    case Kind::StoredPassword:
        return QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors).decodingStatus
                   == QByteArray::Base64DecodingStatus::Ok
               && text.toLatin1() == text.toUtf8();
    }
    return false;
}

QString SettingsRules::rangeMessage(int type) const
{
    return tr("Invalid value! Enter a number from %1 to %2.").arg(minimum(type)).arg(maximum(type));
}

bool SettingsRules::isAddress(const QString &text) const
{
    return matchesWhole(d->address, text);
}

bool SettingsRules::isTimeOfDay(const QString &text) const
{
    return matchesWhole(d->timeOfDay, text);
}

QString SettingsRules::addressPattern() const
{
    return QLatin1String(kAddressPattern);
}
