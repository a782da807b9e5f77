#include "settingsfilecheck.h"

#include <QTextCodec>
#include <QVector>

// The rules below are those of the INI reader of QSettings (Qt 5), kept in
// the same order, so that both see the same lines and the same values.

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isSpecial(char c)
{
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

struct Line
{
    int start = 0;
    int length = 0;
    int equals = -1; // the first '=' outside quotes, or -1
};

// The next line from pos, up to end: a line ends at a line break or a ';'
// outside quotes, a backslash takes the next character along (a line break
// too), and a ';' at the start of a line makes the rest of it a comment.
bool nextLine(const QByteArray &data, int end, int &pos, Line &line)
{
    bool inQuotes = false;
    line.equals = -1;
    line.start = pos;
    while (line.start < end && isSpace(data.at(line.start)))
        ++line.start;
    int i = line.start;
    bool ended = false;
    while (i < end && !ended) {
        const char c = data.at(i++);
        if (!isSpecial(c))
            continue;
        if (c == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                ended = true;
            }
        } else if (c == '\\') {
            if (i < end) {
                const char next = data.at(i++);
                if (i < end) {
                    const char after = data.at(i);
                    if ((next == '\n' && after == '\r') || (next == '\r' && after == '\n'))
                        ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (i == line.start + 1) { // ';' opens a comment line
            while (i < end && data.at(i) != '\n' && data.at(i) != '\r')
                ++i;
            while (i < end && isSpace(data.at(i)))
                ++i;
            line.start = i;
        } else if (!inQuotes) { // ';' ends the line
            --i;
            ended = true;
        }
    }
    pos = i;
    line.length = i - line.start;
    return line.length > 0;
}

char simpleEscape(char c)
{
    switch (c) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\':
        return c;
    default:
        return 0;
    }
}

void chopTrailingSpaces(QString &text, int limit)
{
    int n = text.size() - 1;
    while (n >= limit && (text.at(n) == QLatin1Char(' ') || text.at(n) == QLatin1Char('\t')))
        text.truncate(n--);
}

// The texts of the value in [from, to), unescaped as the reader does it:
// more than one for a list ("a, b"). codec: null for Latin-1.
QStringList valueTexts(const QByteArray &data, int from, int to, QTextCodec *codec, bool *isList)
{
    enum State { SkipSpaces, Normal, HexEscape, OctalEscape, End };
    QString current;
    QStringList list;
    *isList = false;
    bool inQuotes = false;
    bool quoted = false;
    uint escape = 0;
    int chopLimit = 0;
    int i = from;
    State state = SkipSpaces;
    while (state != End) {
        switch (state) {
        case SkipSpaces:
            while (i < to && (data.at(i) == ' ' || data.at(i) == '\t'))
                ++i;
            state = Normal;
            break;
        case Normal: {
            chopLimit = current.size();
            bool leave = false;
            while (i < to && !leave) {
                const char c = data.at(i);
                if (c == '\\') {
                    ++i;
                    if (i >= to) {
                        state = End;
                        leave = true;
                        continue;
                    }
                    const char escaped = data.at(i++);
                    if (const char plain = simpleEscape(escaped)) {
                        current += QLatin1Char(plain);
                        leave = true; // back to Normal
                        continue;
                    }
                    if (escaped == 'x') {
                        escape = 0;
                        if (i >= to) {
                            state = End;
                            leave = true;
                            continue;
                        }
                        const char digit = data.at(i);
                        if ((digit >= '0' && digit <= '9') || (digit >= 'a' && digit <= 'f')
                            || (digit >= 'A' && digit <= 'F')) {
                            state = HexEscape;
                            leave = true;
                            continue;
                        }
                    } else if (escaped >= '0' && escaped <= '7') {
                        escape = uint(escaped - '0');
                        state = OctalEscape;
                        leave = true;
                        continue;
                    } else if (escaped == '\n' || escaped == '\r') {
                        if (i < to) {
                            const char next = data.at(i);
                            if ((next == '\n' || next == '\r') && next != escaped)
                                ++i;
                        }
                    }
                    chopLimit = current.size();
                } else if (c == '"') {
                    ++i;
                    quoted = true;
                    inQuotes = !inQuotes;
                    if (!inQuotes) {
                        state = SkipSpaces;
                        leave = true;
                    }
                } else if (c == ',' && !inQuotes) {
                    if (!quoted)
                        chopTrailingSpaces(current, chopLimit);
                    if (!*isList) {
                        *isList = true;
                        list.clear();
                    }
                    list.append(current);
                    current.clear();
                    quoted = false;
                    ++i;
                    state = SkipSpaces;
                    leave = true;
                } else {
                    int j = i + 1;
                    while (j < to && data.at(j) != '\\' && data.at(j) != '"' && data.at(j) != ',')
                        ++j;
                    current += codec ? codec->toUnicode(data.constData() + i, j - i)
                                     : QString::fromLatin1(data.constData() + i, j - i);
                    i = j;
                }
            }
            if (!leave) {
                if (!quoted)
                    chopTrailingSpaces(current, chopLimit);
                state = End;
            }
            break;
        }
        case HexEscape:
        case OctalEscape: {
            if (i >= to) {
                current += QChar(ushort(escape & 0xffff));
                state = End;
                break;
            }
            char digit = data.at(i);
            if (state == HexEscape && digit >= 'a')
                digit = char(digit - ('a' - 'A'));
            if (state == HexEscape && isHexDigit(digit)) {
                escape = (escape << 4) + uint(digit <= '9' ? digit - '0' : digit - 'A' + 10);
                ++i;
            } else if (state == OctalEscape && digit >= '0' && digit <= '7') {
                escape = (escape << 3) + uint(digit - '0');
                ++i;
            } else {
                current += QChar(ushort(escape & 0xffff));
                state = Normal;
            }
            break;
        }
        case End:
            break;
        }
    }
    if (*isList)
        list.append(current);
    else
        list = QStringList{current};
    return list;
}

// Whether the reader would hand the value to anything but a text: a text
// that starts with a single '@' names a type ("@Variant(...)", "@Rect(...)",
// ...), "@@" stands for a text that starts with '@'. A single value may be
// the byte array of the password; a list may hold nothing of the kind.
bool isForeign(const QStringList &texts, bool isList)
{
    for (const QString &text : texts) {
        if (!text.startsWith(QLatin1Char('@')) || text.startsWith(QLatin1String("@@")))
            continue;
        if (isList)
            return true;
        if (text.endsWith(QLatin1Char(')')) && !text.startsWith(QLatin1String("@ByteArray(")))
            return true;
    }
    return false;
}

// Where the physical line of a line ends, its line break included.
int physicalEnd(const QByteArray &data, const Line &line)
{
    int end = line.start + line.length;
    while (end < data.size() && data.at(end) != '\n' && data.at(end) != '\r')
        ++end;
    if (end < data.size() && data.at(end) == '\r')
        ++end;
    if (end < data.size() && data.at(end) == '\n')
        ++end;
    return end;
}

} // namespace

SettingsFileCheck::SettingsFileCheck(const QByteArray &data)
{
    // First the sections, as the reader splits the file. A UTF-8 byte-order
    // mark is skipped there, but stays in the lines before the first
    // section (the reader's own way).
    struct Section
    {
        QString name;
        int begin;
        int end;
    };
    QVector<Section> sections;
    QString name;
    int begin = 0;
    int pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    Line line;
    while (nextLine(data, data.size(), pos, line)) {
        if (data.at(line.start) != '[')
            continue;
        sections.append({name, begin, line.start});
        int close = data.indexOf(']', line.start);
        if (close == -1 || close >= line.start + line.length) {
            ok = false;
            close = line.start + line.length;
        }
        name = QString::fromLatin1(data.mid(line.start + 1, close - line.start - 1).trimmed());
        if (name.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
            name.clear();
        begin = pos;
    }
    sections.append({name, begin, data.size()});

    // Then the lines of each section. The reader takes the text as Latin-1,
    // or as UTF-8 after a byte-order mark: a value counts as foreign when
    // it is foreign either way.
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QVector<QPair<int, int>> drop;
    for (const Section &section : sections) {
        pos = section.begin;
        while (nextLine(data, section.end, pos, line)) {
            if (line.equals < 0) {
                if (data.at(line.start) != ';')
                    ok = false;
                continue;
            }
            const int valueEnd = line.start + line.length;
            bool latinList = false;
            bool utf8List = false;
            const QStringList latin = valueTexts(data, line.equals + 1, valueEnd, nullptr, &latinList);
            const QStringList unicode = valueTexts(data, line.equals + 1, valueEnd, utf8, &utf8List);
            if (!isForeign(latin, latinList) && !isForeign(unicode, utf8List))
                continue;
            const QString key = QString::fromLatin1(data.mid(line.start, line.equals - line.start).trimmed());
            keys.append(section.name.isEmpty() ? key : section.name + QLatin1Char('/') + key);
            drop.append({line.start, physicalEnd(data, line)});
        }
    }

    int kept = 0;
    for (const auto &range : drop) {
        text += data.mid(kept, range.first - kept);
        kept = range.second;
    }
    text += data.mid(kept);
}

bool SettingsFileCheck::parses() const
{
    return ok;
}

QStringList SettingsFileCheck::foreignKeys() const
{
    return keys;
}

QByteArray SettingsFileCheck::cleaned() const
{
    return text;
}
