// The scripts behind the README's two commands, run from copies in projects
// of the test's own; the package tools are stand-ins, nothing is installed.
#include "otheruser.h"
#include "testenvironment.h"

#include <QDir>

#include <sys/stat.h>

namespace {

// Writes a file that any user may read and run.
bool put(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(text) == text.size()
           && chmod(QFile::encodeName(path), 0755) == 0;
}

// Runs a copy of the repository's script in project: what it wrote, then
// "rc" and its exit code.
QByteArray run(const QString &project, const QString &script, QStringList command,
               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QFile::copy(AMBREL_SOURCE_DIR "/scripts/" + script, project + "/scripts/" + script);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(project);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.takeFirst(), command << project + "/scripts/" + script);
    process.waitForFinished(120000);
    return process.readAll() + "rc " + QByteArray::number(process.exitCode());
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
            const QByteArray test = withTests ? "add_test(NAME t COMMAND cmake -E touch ran)\n" : "";
            QVERIFY(put(project + "/CMakeLists.txt", "cmake_minimum_required(VERSION 3.18)\nproject(p NONE)\noption("
                        "AMBREL_BUILD_TESTS \"\" ON)\nif(AMBREL_BUILD_TESTS)\nenable_testing()\n" + test + "endif()\n")
                    && put(project + "/scripts/install-deps.sh", "#!/bin/sh\n"));
            // As ./scripts/run.sh leaves it.
            QProcess::execute("cmake", {"-S", project, "-B", project + "/build", "-G", "Ninja",
                                        "-DAMBREL_BUILD_TESTS=OFF"});
            const QByteArray out = run(project, "test.sh", {"bash"});
            QVERIFY2(out.endsWith("rc 0") == withTests, out.constData());
            QCOMPARE(QFile::exists(project + "/build/ran") && QFile::exists(project + "/build-asan/ran"), withTests);
        }
    }

    // install-deps.sh, run by a user, asks for root only when a package is
    // missing: through sudo where there is one, else it says what to run.
    void dependenciesAskForRootOnlyWhenMissing()
    {
        if (geteuid() == 0 && !OtherUser::available())
            QSKIP("as root the script would install: needs setpriv to run it as another user");
        QStringList asUser{"/bin/sh"};
        if (geteuid() == 0)
            asUser = QStringList{OtherUser::setpriv(), "--reuid=65534", "--regid=65534", "--clear-groups"} + asUser;
        const QString project = dir.filePath("deps"), bin = project + "/bin";
        for (const char *tool : {"grep", "id", "cat"})
            QVERIFY(QDir().mkpath(bin) && QFile::link(QStandardPaths::findExecutable(tool), bin + '/' + tool));
        QVERIFY(put(bin + "/dpkg-query", "#!/bin/sh\n[ \"$3\" = \"$MISSING\" ] || echo install ok installed\n")
                && QDir().mkpath(project + "/scripts") && chmod(QFile::encodeName(dir.path()), 0755) == 0);
        const QByteArray install = "apt-get install -y --no-install-recommends tzdata\n";
        const QByteArray missing = "Missing Debian packages: tzdata.";
        const QByteArray said[] = {
            missing + "\nInstalling them needs root, and this system has no sudo. As root (su -), run\n"
                      "    apt-get update && " + install + "then run this command again.\nrc 1",
            missing + " They are installed with sudo.\nsudo env DEBIAN_FRONTEND=noninteractive apt-get update\n"
                      "sudo env DEBIAN_FRONTEND=noninteractive " + install + "rc 0"};
        for (const bool sudo : {false, true}) {
            QVERIFY(!sudo || put(bin + "/sudo", "#!/bin/sh\necho sudo \"$@\"\n"));
            QProcessEnvironment env;
            env.insert("PATH", bin);
            for (const char *package : {"", "tzdata"}) {
                env.insert("MISSING", package);
                QCOMPARE(run(project, "install-deps.sh", asUser, env), *package ? said[sudo] : QByteArray("rc 0"));
            }
        }
    }
};

AMBREL_TEST_MAIN(TestScripts)
#include "tst_scripts.moc"
