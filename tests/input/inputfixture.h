#pragma once

#include "childnamed.h"
#include "input/dbcheckbox.h"
#include "input/dbcombobox.h"
#include "input/dbedit.h"
#include "input/dblookupcombobox.h"
#include "input/errorreporter.h"
#include "document/calculationdocument.h"
#include "input/inputpanel.h"
#include "input/numericedit.h"
#include "input/pagecontrol.h"
#include "input/radiogroup.h"
#include "storage/referencetables.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kvor::test {

// The input panel on a bare 761 × 474 panel, bound to a data module over a private
// copy of the shipped DATA with a new calculation (the template) open.
class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        // The program's font, as its start-up sets it.
        m_appFont = QApplication::font();
        QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
        ASSERT_TRUE(m_dir.isValid());
        m_data = m_dir.filePath(QStringLiteral("DATA"));
        QDir().mkpath(m_data);
        const QDir source(QStringLiteral(KVOR_DATA_DIR));
        const QStringList files = source.entryList(QDir::Files);
        ASSERT_FALSE(files.isEmpty()) << "no DATA built";
        for (const QString &name : files)
            ASSERT_TRUE(QFile::copy(source.filePath(name), QDir(m_data).filePath(name)));

        ErrorReporter::setSink([this](QWidget *, const QString &text) { errors << text; });
        NumericEdit::setMessageSink([this](QWidget *, const QString &text) { messages << text; });
        NumericEdit::setBeep([this] { ++beeps; });

        dm = std::make_unique<ReferenceTables>();
        document = std::make_unique<CalculationDocument>(*dm);
        for (DbfTable *t : dm->startupTables()) {
            t->setDatabaseName(m_data);
            t->open();
        }
        // As the main window has it: a frame whose style sheet grays it and its groups.
        panel = std::make_unique<QFrame>();
        panel->resize(761, 474);
        panel->setStyleSheet(QStringLiteral("QFrame#Panel4, QGroupBox { background-color: rgb(128,128,128); }"));
        input = new InputPanel(panel.get());
        input->bind(*dm);
        openCalculation();
        panel->show();
        QApplication::setActiveWindow(panel.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    }

    void TearDown() override
    {
        panel.reset();
        if (dm && dm->taWork.active())
            dm->taWork.close();
        document.reset();
        dm.reset();
        ErrorReporter::setSink(nullptr);
        NumericEdit::setMessageSink(nullptr);
        NumericEdit::setBeep(nullptr);
        QLocale::setDefault(QLocale::c());
        QApplication::setFont(m_appFont);
    }

    void openCalculation()
    {
        const QString path = m_dir.filePath(QStringLiteral("calc.kvor"));
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(QDir(m_data).filePath(QStringLiteral("kvor.dbf")), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        // As the program opens it (the products table on the record's product), nothing left pending.
        document->open(path);
        dm->taWork.post();
    }

    // A control of the panel by its object name.
    template <class T>
    T *named(const char *objectName, std::source_location where = std::source_location::current())
    {
        return childNamed<T>(panel.get(), objectName, where);
    }
    QVariant field(const char *name) { return dm->taWork.value(QString::fromLatin1(name)); }
    void setField(const char *name, const QVariant &v)
    {
        dm->taWork.edit();
        dm->taWork.setValue(QString::fromLatin1(name), v);
    }
    // A numeric field holding no text at all (it reads as 0).
    bool blank(const char *name)
    {
        DbfField *f = dm->taWork.fieldByName(QString::fromLatin1(name));
        return f->rawTextFrom(dm->taWork.recordBuffer()).isEmpty();
    }
    void showPage(int index) { named<PageControl>("Page95Control1")->setCurrentIndex(index); }

    // Gives the edit the focus, selects its text and types over it.
    void typeInto(QWidget *w, const QString &text)
    {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        if (auto *e = qobject_cast<QLineEdit *>(w))
            e->selectAll();
        typeText(w, text);
    }
    // Key presses for any text, Cyrillic too (QTest's own only know ASCII).
    static void typeText(QWidget *w, const QString &text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(w, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_A, QString(c), Qt::NoModifier);
        }
    }
    // Leaves the focused control with Tab, as the user would, and lets queued work run.
    void leave(QWidget *w)
    {
        QTest::keyClick(w, Qt::Key_Tab);
        QApplication::processEvents();
    }

    QFont m_appFont;
    QTemporaryDir m_dir;
    QString m_data;
    std::unique_ptr<ReferenceTables> dm;
    std::unique_ptr<CalculationDocument> document;
    std::unique_ptr<QFrame> panel;
    InputPanel *input = nullptr;
    QStringList errors;
    QStringList messages;
    int beeps = 0;
};

} // namespace kvor::test

// Readable failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QColor &c, std::ostream *os)
{
    *os << "rgb(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}
