#pragma once

#include "app/additionaldatadialog.h"
#include "app/mainwindow.h"
#include "app/prompts.h"
#include "input/errorreporter.h"
#include "storage/referencetables.h"
#include "storage/tabledefs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

namespace kvor::test {

// Answers the program's questions from a script and keeps what it said.
class ScriptedPrompts : public Prompts {
public:
    std::deque<QString> files;   // answers of the open, save and folder dialogs, in turn
    std::deque<bool> answers;    // answers of Yes/No questions
    QStringList messages;        // every message and question, in order
    QStringList presets;         // the names the file dialogs were preset with

    QString openFileName(QWidget *, const QString &, const QString &preset, const QString &, const QString &) override
    {
        presets << preset;
        return next();
    }
    QString saveFileName(QWidget *, const QString &, const QString &preset, const QString &, const QString &) override
    {
        presets << preset;
        return next();
    }
    QString folderName(QWidget *, const QString &) override { return next(); }
    void message(QWidget *, const QString &text) override { messages << text; }
    bool confirm(QWidget *, const QString &text) override
    {
        messages << text;
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

private:
    QString next()
    {
        if (files.empty())
            return QString();
        const QString f = files.front();
        files.pop_front();
        return f;
    }
};

// The program's forms over a private copy of the shipped DATA.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_appDir = m_dir.filePath(QStringLiteral("app"));
        copyData(QStringLiteral(KVOR_DATA_DIR), QDir(m_appDir).filePath(QStringLiteral("DATA")));
        Prompts::setInstance(&prompts);
        ErrorReporter::setSink([this](QWidget *, const QString &text) { errors << text; });
        createForms();
    }

    void TearDown() override
    {
        destroyForms();
        Prompts::setInstance(nullptr);
        ErrorReporter::setSink(nullptr);
    }

    void createForms()
    {
        main = std::make_unique<MainWindow>();
        dm = std::make_unique<ReferenceTables>();
        add = std::make_unique<AdditionalDataDialog>(main.get());
        main->setApplicationDir(m_appDir);
        main->setReferenceTables(dm.get());
        main->setAddDialog(add.get());
        add->setReferenceTables(dm.get());
        QObject::connect(add.get(), &AdditionalDataDialog::folderChanged, main.get(), &MainWindow::setFileFolder);
    }

    void destroyForms()
    {
        if (main)
            main->close();
        add.reset();
        main.reset();
        dm.reset();
    }

    static void copyData(const QString &from, const QString &to)
    {
        QDir().mkpath(to);
        const QDir source(from);
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), QDir(to).filePath(name));
    }

    QString dataFile(const QString &name) const { return QDir(m_appDir).filePath(QStringLiteral("DATA/") + name); }
    QString userFile(const QString &name) const { return m_dir.filePath(name); }

    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // An earlier version's calculation: the record's fields but KOLSYS, holding `values`.
    QString oldCalculation(const QString &name, const std::vector<std::pair<const char *, QVariant>> &values) const
    {
        const QString path = userFile(name);
        std::vector<DbfColumn> columns;
        for (const DbfColumn &c : TableDefs::workFileColumns()) {
            if (c.name != "KOLSYS")
                columns.push_back(c);
        }
        DbfTable::create(path, columns);
        DbfTable t;
        t.setTableName(path);
        t.open();
        t.append();
        for (const auto &[field, value] : values)
            t.setValue(QString::fromLatin1(field), value);
        t.post();
        return path;
    }

    // Starts the program: the first activation opens the reference tables.
    void start()
    {
        main->onActivated();
        ASSERT_TRUE(main->tablesOpened());
    }

    // New onto a file of the temporary folder.
    void newCalculation(const QString &name)
    {
        prompts.files.push_back(userFile(name));
        main->newFile();
    }

    QTemporaryDir m_dir;
    QString m_appDir;
    ScriptedPrompts prompts;
    QStringList errors;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<ReferenceTables> dm;
    std::unique_ptr<AdditionalDataDialog> add;
};

} // namespace kvor::test
