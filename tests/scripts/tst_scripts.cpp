// The scripts behind the README's two commands, run on a project and a
// package list of the test's own; no package is installed (the package tools
// are stand-ins that record what they are asked).
#include "otheruser.h"
#include "testenvironment.h"

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

// A program is a shell script that any user may run.
bool writeFile(const QString &path, QByteArray text, bool program = false)
{
    QFile file(path);
    if (program)
        text = "#!/bin/sh\n" + text + '\n';
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(text) == text.size()
           && (!program || chmod(QFile::encodeName(path), 0755) == 0);
}

// Runs the repository's script from a copy in folder: its output, and its exit code in *code.
QByteArray run(const QString &folder, const QString &script, QStringList command, int *code,
               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QFile::copy(AMBREL_SOURCE_DIR "/scripts/" + script, folder + "/scripts/" + script);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.takeFirst(), command << folder + "/scripts/" + script);
    *code = process.waitForFinished(120000) ? process.exitCode() : -1000;
    return process.readAll();
}

} // namespace

class TestScripts : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // test.sh runs the tests of both builds whatever run.sh left in the
    // cache of build/, and fails on a build without tests.
    void testScriptRunsEveryTest()
    {
        for (const bool withTests : {true, false}) {
            const QString project = dir.filePath(withTests ? "tests" : "none");
            QVERIFY(writeFile(project + "/CMakeLists.txt",
                              "cmake_minimum_required(VERSION 3.18)\nproject(p NONE)\n"
                              "option(AMBREL_BUILD_TESTS \"\" ON)\nif(AMBREL_BUILD_TESTS)\nenable_testing()\n"
                                  + QByteArray(withTests ? "add_test(NAME t COMMAND cmake -E touch ran)\n" : "")
                                  + "endif()\n")
                    && writeFile(project + "/scripts/install-deps.sh", "", true));
            // As ./scripts/run.sh leaves it.
            QProcess::execute("cmake", {"-S", project, "-B", project + "/build", "-G", "Ninja",
                                        "-DAMBREL_BUILD_TESTS=OFF"});
            int code = 0;
            const QByteArray out = run(project, "test.sh", {"bash"}, &code);
            QVERIFY2((code == 0) == withTests, out.constData());
            QCOMPARE(QFile::exists(project + "/build/ran") && QFile::exists(project + "/build-asan/ran"), withTests);
        }
    }

    // install-deps.sh, run by a user whose PATH has no sudo (or one that
    // records), asks for root only when a package is missing.
    void dependenciesAskForRootOnlyWhenMissing()
    {
        if (geteuid() == 0 && !OtherUser::available())
            QSKIP("as root the script would install: needs setpriv to run it as another user");
        QStringList asUser{"/bin/sh"};
        if (geteuid() == 0)
            asUser = QStringList{OtherUser::setpriv(), "--reuid=65534", "--regid=65534", "--clear-groups"} + asUser;
        const QByteArray install = "apt-get install -y --no-install-recommends tzdata";
        chmod(QFile::encodeName(dir.path()), 0755);
        for (const char *row : {"none missing", "no sudo", "sudo"}) {
            const QString folder = dir.filePath(row), bin = folder + "/bin";
            const QByteArray missing = qstrcmp(row, "none missing") ? "tzdata" : "";
            for (const char *tool : {"grep", "id", "cat", "env"})
                QVERIFY(QDir().mkpath(bin) && QFile::link(QStandardPaths::findExecutable(tool), bin + '/' + tool));
            QVERIFY(writeFile(bin + "/dpkg-query", "[ \"$3\" = '" + missing + "' ] || echo install ok installed", true)
                    && writeFile(bin + "/apt-get", "exit 1", true) && QDir().mkpath(folder + "/scripts")
                    && (qstrcmp(row, "sudo") || writeFile(bin + "/sudo", "echo \"$@\" >> asked", true))
                    && chmod(QFile::encodeName(folder), 0777) == 0
                    && chmod(QFile::encodeName(folder + "/scripts"), 0777) == 0);
            QProcessEnvironment env;
            env.insert("PATH", bin);
            int code = 0;
            const QByteArray out = run(folder, "install-deps.sh", asUser, &code, env);
            QFile asked(folder + "/asked");
            asked.open(QIODevice::ReadOnly);
            if (missing.isEmpty())
                QVERIFY2(code == 0 && out.isEmpty(), out.constData());
            else if (qstrcmp(row, "sudo"))
                QVERIFY2(code == 1 && out.contains("Missing Debian packages: tzdata.\n") && out.contains("has no sudo")
                             && out.contains("apt-get update && " + install + '\n'),
                         out.constData());
            else
                QCOMPARE(asked.readAll(), "env DEBIAN_FRONTEND=noninteractive apt-get update\n"
                                          "env DEBIAN_FRONTEND=noninteractive " + install + '\n');
        }
    }
};

AMBREL_TEST_MAIN(TestScripts)
#include "tst_scripts.moc"
