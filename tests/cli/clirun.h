#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include "storage/dbftable.h"

#include <functional>

#include <gtest/gtest.h>

namespace kvor::test {

// What a run of a program left.
struct CliResult {
    int status = -1; // -2: it crashed
    QByteArray out;
    QByteArray err;
};

// One run of a built program of this project as a separate process; `vars`
// ("NAME=VALUE") are added to its environment.
inline CliResult runProgram(const QString &program, const QStringList &args, const QString &workingDir = QString(),
                            const QStringList &vars = {})
{
    QProcess p;
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")); // the windowed program needs one
    for (const QString &var : vars)
        env.insert(var.section(QLatin1Char('='), 0, 0), var.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KVOR_BIN_DIR "/") + program, args);
    CliResult r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.err = program.toUtf8() + " did not finish";
        return r;
    }
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    return r;
}

inline CliResult runCli(const QStringList &args, const QString &workingDir = QString(), const QStringList &vars = {})
{
    return runProgram(QStringLiteral("kvor-cli"), args, workingDir, vars);
}

// A copy of the shipped template, owner-writable, for commands to read.
class TemplateCalculationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath("calc.kvor");
        ASSERT_TRUE(QFile::copy(QStringLiteral(KVOR_DATA_DIR "/kvor.dbf"), file));
        QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    QTemporaryDir dir;
    QString file;
};

// The shipped template copied to `path` (replacing a file there), its record changed by `change`.
inline QString templateCalculation(const QString &path, const std::function<void(DbfTable &)> &change = {})
{
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(QStringLiteral(KVOR_DATA_DIR "/kvor.dbf"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (change) {
        DbfTable t;
        t.setTableName(path);
        t.open();
        t.first();
        t.edit();
        change(t);
        t.post();
        t.close();
    }
    return path;
}

// Suites that call the libraries in-process need an application object; one for the whole binary.
inline void ensureApplication()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "kvor_cli_tests";
        static char *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
}

} // namespace kvor::test
