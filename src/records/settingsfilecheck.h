#ifndef SETTINGSFILECHECK_H
#define SETTINGSFILECHECK_H

#include <QByteArray>
#include <QStringList>

// What the INI reader of QSettings will make of a settings file, found out
// before that reader sees it. The reader turns a value such as
// "@Variant(...)" into an object of any type through QDataStream, and a
// damaged one asks for any amount of memory: such values must never reach
// it. No setting of ours is stored that way (texts, numbers and the
// "@ByteArray(...)" of the mail password only).
//
// The file is split into lines, sections and values exactly as that reader
// does, without decoding any value into an object.
class SettingsFileCheck
{
public:
    explicit SettingsFileCheck(const QByteArray &data);

    // False when the reader would report a format error (a line that is
    // neither a section, a key nor a comment): such a file is no settings
    // file, or not in this format.
    bool parses() const;

    // The keys ("section/key", as written) whose values the reader would not
    // read as text or bytes.
    QStringList foreignKeys() const;

    // The file without the lines of those keys; the rest byte for byte.
    QByteArray cleaned() const;

private:
    bool ok = true;
    QStringList keys;
    QByteArray text;
};

#endif // SETTINGSFILECHECK_H
