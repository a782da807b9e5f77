#ifndef SETTINGSRULES_H
#define SETTINGSRULES_H

#include <QObject>
#include <QString>

class SettingsRulesPrivate;

// What the program accepts for each setting that the user enters on the
// settings pages or brings in with a settings import: "true" or "false" for
// a flag, decimal digits within a range for a number, "hh:mm:ss" for a time
// of day, the mail address form (or nothing) for an address. The pages and
// the import both read this one table. Published to QML as SettingsRules.
class SettingsRules : public QObject
{
    Q_OBJECT
    // The mail address form as a regular expression, for the validators.
    Q_PROPERTY(QString addressPattern READ addressPattern CONSTANT)

public:
    ~SettingsRules() override;

    static SettingsRules *instance();

    // The range of a number setting (Settings::SettingsType); 0 for others.
    Q_INVOKABLE int minimum(int type) const;
    Q_INVOKABLE int maximum(int type) const;
    // Whether text is an acceptable stored text of the setting; false for a
    // setting that the table does not know.
    Q_INVOKABLE bool accepts(int type, const QString &text) const;
    // The warning for a number setting that was refused, naming its range.
    Q_INVOKABLE QString rangeMessage(int type) const;

    // Runs of letters and digits joined by single "_", "|" or "." on both
    // sides of the "@", and a top-level domain of two or three letters.
    Q_INVOKABLE bool isAddress(const QString &text) const;
    // "hh:mm:ss" of a time of day: hours 00 to 23, minutes and seconds 00 to 59.
    Q_INVOKABLE bool isTimeOfDay(const QString &text) const;

    QString addressPattern() const;

private:
    SettingsRules();

    SettingsRulesPrivate *d;
};

#endif // SETTINGSRULES_H
