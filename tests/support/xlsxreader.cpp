#include "xlsxreader.h"

#include "testenvironment.h"

#include <QJsonDocument>
#include <QProcess>

namespace XlsxReader {

QJsonObject read(const QString &path, QString *error)
{
    QProcess process;
    process.start(QStringLiteral(AMBREL_PYTHON),
                  {TestEnvironment::supportFile(QStringLiteral("xlsxdump.py")), path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        if (error)
            *error = QString::fromUtf8(process.readAllStandardError());
        process.kill();
        return QJsonObject();
    }
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

} // namespace XlsxReader
