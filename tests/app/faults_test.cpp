// The main window when the files say no: a full disk during New, Save and
// Close, files made read-only, deleted or held by another program, and
// numbers at and beyond what the input panel and the record's fields take.
// The user always gets a message, and the file keeps its last good record.

#include "appfixture.h"

#include "childnamed.h"
#include "input/calculatorpopup.h"
#include "input/inputpanel.h"
#include "input/numericedit.h"
#include "input/pagecontrol.h"
#include "storage/dbftable.h"
#include "storage/faultfixture.h"
#include "storage/tabledefs.h"
#include "app/newsign.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QTest>
#include <QTimer>

#include <cmath>

#include <fcntl.h>
#include <sys/stat.h>

namespace kvor::test {

namespace {

QVariant stored(const QString &path, const char *field)
{
    DbfTable t;
    t.setReadOnly(true);
    t.setTableName(path);
    t.open();
    return t.value(QString::fromLatin1(field));
}

bool opens(const QString &path)
{
    DbfTable t;
    t.setFieldDefs(TableDefs::workFieldDefs());
    t.setReadOnly(true);
    t.setTableName(path);
    try {
        t.open();
    } catch (const DbfError &) {
        return false;
    }
    return true;
}

class AppFaults : public AppTest {
protected:
    void openNew(const QString &name)
    {
        start();
        newCalculation(name);
        ASSERT_TRUE(dm->taWork.active());
        errors.clear();
    }
    void set(const char *field, const QVariant &value)
    {
        dm->taWork.edit();
        dm->taWork.setValue(QLatin1String(field), value);
    }
    QVariant field(const char *name) const { return dm->taWork.value(QLatin1String(name)); }
    qint64 templateSize() const { return QFileInfo(dataFile("kvor.dbf")).size(); }
    QStringList userFiles() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

} // namespace

// ---------------------------------------------------------------- full disk

TEST_F(AppFaults, NewOnAFullDiskLeavesTheOldFileAndSaysWhy)
{
    start();
    const QString keep = userFile("keep.kvor");
    writeBytes(keep, "somebody's work");
    {
        FileSizeLimit full(templateSize() - 1);
        ASSERT_TRUE(full.ok());
        prompts.answers.push_back(true); // replace it
        newCalculation("keep.kvor");
    }
    EXPECT_EQ(errors, QStringList{"Stream write error"});
    EXPECT_EQ(bytes(keep), QByteArray("somebody's work"));
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_EQ(userFiles(), QStringList{"keep.kvor"}) << "no scratch copy left";
}

TEST_F(AppFaults, NewWhileTheOpenCalculationCannotBeWrittenKeepsItOpen)
{
    openNew("first.kvor");
    set("KL_PRIM", QStringLiteral("unsaved"));
    const QByteArray before = bytes(userFile("first.kvor"));
    {
        FileSizeLimit full(before.size() - 1);
        ASSERT_TRUE(full.ok());
        newCalculation("second.kvor");
    }
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().startsWith("Cannot write to file " + userFile("first.kvor"))) << qPrintable(errors.first());
    EXPECT_EQ(bytes(userFile("first.kvor")), before);
    EXPECT_FALSE(QFileInfo::exists(userFile("second.kvor"))) << "New stopped before the copy";
    ASSERT_TRUE(dm->taWork.active()) << "the calculation stays open with its input";
    EXPECT_EQ(field("KL_PRIM").toString(), "unsaved");
    main->closeFile();
    EXPECT_EQ(stored(userFile("first.kvor"), "KL_PRIM").toString(), "unsaved");
}

TEST_F(AppFaults, SaveUnderANewNameOnAFullDiskKeepsTheRecordInTheOldFile)
{
    openNew("one.kvor");
    // A trailing end-of-file byte makes the copy one byte longer than the post reaches.
    QFile f(userFile("one.kvor"));
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("\x1a");
    f.close();
    const qint64 size = QFileInfo(userFile("one.kvor")).size();
    set("KL_PRIM", QStringLiteral("note"));
    {
        FileSizeLimit full(size - 1);
        ASSERT_TRUE(full.ok());
        prompts.files.push_back(userFile("two.kvor"));
        main->saveFile();
    }
    EXPECT_EQ(errors, QStringList{"Stream write error"});
    EXPECT_EQ(stored(userFile("one.kvor"), "KL_PRIM").toString(), "note") << "posted before the copy";
    EXPECT_FALSE(QFileInfo::exists(userFile("two.kvor")));
    EXPECT_EQ(userFiles(), QStringList{"one.kvor"});
    EXPECT_FALSE(dm->taWork.active()) << "closed at the failing step, as the command goes";

    // Space freed: Open and Save again.
    errors.clear();
    prompts.files.push_back(userFile("one.kvor"));
    main->openFile();
    ASSERT_TRUE(dm->taWork.active());
    prompts.files.push_back(userFile("two.kvor"));
    main->saveFile();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_EQ(stored(userFile("two.kvor"), "KL_PRIM").toString(), "note");
}

TEST_F(AppFaults, CloseAndExitOnAFullDiskKeepTheCalculationOpen)
{
    openNew("calc.kvor");
    set("KL_NAIM", QStringLiteral("Клиент"));
    const QByteArray before = bytes(userFile("calc.kvor"));
    {
        FileSizeLimit full(dm->taWork.headerLength() + dm->taWork.recordLength() / 2);
        ASSERT_TRUE(full.ok());
        main->closeFile();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors.first().startsWith("Cannot write to file ")) << qPrintable(errors.first());
        EXPECT_TRUE(dm->taWork.active());
        EXPECT_TRUE(childNamed<QFrame>(main.get(), "Panel4")->isVisibleTo(main.get()));
        EXPECT_FALSE(main->close()) << "the window stays while its record cannot be written";
        EXPECT_EQ(errors.size(), 2);
        EXPECT_EQ(bytes(userFile("calc.kvor")), before);
    }
    main->closeFile();
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_EQ(stored(userFile("calc.kvor"), "KL_NAIM").toString(), "Клиент");
}

// ---------------------------------------------------------------- failed commands

namespace {

// Everything of the state "no calculation open", as a failed command must leave it.
void expectNoCalculation(MainWindow &w, const ReferenceTables &dm, const char *after)
{
    SCOPED_TRACE(after);
    EXPECT_FALSE(dm.taWork.active());
    EXPECT_FALSE(childNamed<QFrame>(&w, "Panel4")->isVisibleTo(&w)) << "the input panel is hidden";
    EXPECT_TRUE(childNamed<NewSign>(&w, "anim")->animating()) << "the start screen is back";
    for (const char *name : {"iFileSave", "iFileClose", "iFilePrint", "iFilePrev", "bFileSave", "bFileClose",
                             "bFilePrint", "bFilePrev"}) {
        const auto *action = w.findChild<QAction *>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_FALSE(action->isEnabled()) << name;
    }
    EXPECT_EQ(w.windowTitle().toStdString(), "Kvor") << "no closed file is named";
}

} // namespace

TEST_F(AppFaults, AFailedNewOpenOrSaveLeavesTheStartScreen)
{
    main->show();
    writeBytes(userFile("blocker"), "a file where a folder would be needed");

    // New: the copy cannot create the file.
    openNew("first.kvor");
    newCalculation("blocker/new.kvor");
    EXPECT_EQ(errors, QStringList{"Cannot create file " + userFile("blocker/new.kvor")});
    expectNoCalculation(*main, *dm, "New");

    // Open: a damaged file neither opens nor converts.
    newCalculation("second.kvor");
    ASSERT_TRUE(dm->taWork.active());
    errors.clear();
    writeBytes(userFile("damaged.kvor"), "not a table at all, just some bytes of something else");
    prompts.files.push_back(userFile("damaged.kvor"));
    main->openFile();
    EXPECT_EQ(prompts.messages.value(0), "Указанный расчет не может быть открыт !");
    EXPECT_EQ(errors, QStringList{"dBase DBF file header invalid"});
    expectNoCalculation(*main, *dm, "Open");
    QApplication::processEvents();
    main->grab().save(QDir::temp().filePath(QStringLiteral("kvor-failed-open.png")));

    // Save: the copy cannot create the chosen file.
    newCalculation("third.kvor");
    ASSERT_TRUE(dm->taWork.active());
    set("KL_PRIM", QStringLiteral("typed"));
    errors.clear();
    prompts.files.push_back(userFile("blocker/saved.kvor"));
    main->saveFile();
    EXPECT_EQ(errors, QStringList{"Cannot create file " + userFile("blocker/saved.kvor")});
    expectNoCalculation(*main, *dm, "Save");
    EXPECT_EQ(stored(userFile("third.kvor"), "KL_PRIM").toString(), "typed") << "written before the copy";
}

TEST_F(AppFaults, AConversionAsksBeforeReplacingAnExistingCalculation)
{
    start();
    const QString old = oldCalculation("A.dbf", {{"OB_RGTMAX", 27}, {"KL_NAIM", QStringLiteral("Старый клиент")}});
    const QString target = userFile("A.kvor");
    writeBytes(target, "somebody's work");
    const QString question = "Файл " + target + " вже існує. Замінити його?";

    prompts.answers.push_back(false);
    prompts.files.push_back(old);
    main->openFile();
    EXPECT_EQ(prompts.messages, (QStringList{"Указанный расчет не может быть открыт !", question}));
    EXPECT_EQ(bytes(target), QByteArray("somebody's work")) << "No leaves it untouched";
    EXPECT_EQ(userFiles(), QStringList({"A.dbf", "A.kvor"}));
    EXPECT_EQ(main->windowTitle(), "Kvor");

    prompts.messages.clear();
    prompts.answers.push_back(true);
    prompts.files.push_back(old);
    main->openFile();
    EXPECT_EQ(prompts.messages, (QStringList{"Указанный расчет не может быть открыт !", question,
                                              "Файл расчета преобразован в " + target,
                                              "Для работы откройте файл " + target}));
    EXPECT_EQ(stored(target, "KL_NAIM").toString(), "Старый клиент");
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

// ---------------------------------------------------------------- read-only, deleted, held

TEST_F(AppFaults, AReadOnlyReferenceTableStopsTheStart)
{
    ASSERT_EQ(::chmod(QFile::encodeName(dataFile("s_isp.DBF")).constData(), 0444), 0);
    PermissionsApply permissions;
    ASSERT_TRUE(permissions.effective());
    main->onActivated();
    EXPECT_FALSE(main->tablesOpened());
    EXPECT_EQ(prompts.messages, QStringList{"Ошибка подключения справочников !"});
    // The start-up asked the application to quit; a short loop takes that back
    // so the later tests' dialogs still run.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

TEST_F(AppFaults, AReadOnlyCalculationOpensForViewingAndNothingIsWritten)
{
    openNew("ro.kvor");
    set("KL_PRIM", QStringLiteral("as filed"));
    main->closeFile();
    const QByteArray before = bytes(userFile("ro.kvor"));
    ASSERT_EQ(::chmod(QFile::encodeName(userFile("ro.kvor")).constData(), 0444), 0);
    PermissionsApply permissions;
    ASSERT_TRUE(permissions.effective());
    prompts.files.push_back(userFile("ro.kvor"));
    main->openFile();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_EQ(prompts.messages, QStringList{"Файл " + userFile("ro.kvor")
                                            + " доступний лише для читання: розрахунок відкрито для перегляду, "
                                              "зміни не буде збережено."});
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_EQ(field("KL_PRIM").toString(), "as filed");
    EXPECT_TRUE(childNamed<QFrame>(main.get(), "Panel4")->isVisibleTo(main.get()));
    EXPECT_TRUE(main->windowTitle().startsWith(userFile("ro.kvor"))) << qPrintable(main->windowTitle());

    // Changes are taken on screen, but Close writes nothing into the file.
    set("KL_PRIM", QStringLiteral("changed"));
    main->closeFile();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_EQ(bytes(userFile("ro.kvor")), before);

    // Saving under its own name is refused before anything is closed; under
    // another name the changes go there and the new file is the calculation.
    prompts.files.push_back(userFile("ro.kvor"));
    main->openFile();
    set("KL_PRIM", QStringLiteral("kept elsewhere"));
    prompts.files.push_back(userFile("ro.kvor"));
    main->saveFile();
    EXPECT_EQ(errors, QStringList{"Cannot create file " + userFile("ro.kvor")});
    ASSERT_TRUE(dm->taWork.active()) << "nothing closed, nothing lost";
    EXPECT_EQ(field("KL_PRIM").toString(), "kept elsewhere");
    errors.clear();
    prompts.files.push_back(userFile("copy.kvor"));
    main->saveFile();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_EQ(main->windowTitle(), userFile("copy.kvor"));
    main->closeFile();
    EXPECT_EQ(stored(userFile("copy.kvor"), "KL_PRIM").toString(), "kept elsewhere");
    EXPECT_EQ(bytes(userFile("ro.kvor")), before);
    EXPECT_EQ(userFiles(), QStringList({"copy.kvor", "ro.kvor"}));

    // A read-only file of an earlier version converts: it is only read.
    DbfTable::create(userFile("old.dbf"), {{"OB_RGTMAX", 'N', 4, 0}});
    ASSERT_EQ(::chmod(QFile::encodeName(userFile("old.dbf")).constData(), 0444), 0);
    prompts.messages.clear();
    prompts.files.push_back(userFile("old.dbf"));
    main->openFile();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_EQ(prompts.messages.value(1), "Файл расчета преобразован в " + userFile("old.kvor"));
    EXPECT_TRUE(opens(userFile("old.kvor")));
}

TEST_F(AppFaults, ACalculationDeletedWhileOpenIsWrittenBackByClose)
{
    openNew("gone.kvor");
    ASSERT_TRUE(QFile::remove(userFile("gone.kvor")));
    set("KL_PRIM", QStringLiteral("kept"));
    main->closeFile();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    ASSERT_TRUE(opens(userFile("gone.kvor")));
    EXPECT_EQ(stored(userFile("gone.kvor"), "KL_PRIM").toString(), "kept");

    // Deleted again, then saved under another name: both files hold the record.
    prompts.files.push_back(userFile("gone.kvor"));
    main->openFile();
    ASSERT_TRUE(dm->taWork.active());
    ASSERT_TRUE(QFile::remove(userFile("gone.kvor")));
    set("KL_PRIM", QStringLiteral("saved"));
    prompts.files.push_back(userFile("elsewhere.kvor"));
    main->saveFile();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_EQ(stored(userFile("gone.kvor"), "KL_PRIM").toString(), "saved");
    EXPECT_EQ(stored(userFile("elsewhere.kvor"), "KL_PRIM").toString(), "saved");
}

namespace {

// A second program holding the calculation's record lock, made of bare system
// calls so the forked child touches nothing of this process's libraries.
class LockHolder {
public:
    LockHolder(const QString &path, qint64 offset)
    {
        const QByteArray native = QFile::encodeName(path);
        if (pipe(m_toChild) != 0 || pipe(m_toParent) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            const int fd = ::open(native.constData(), O_RDWR);
            struct flock fl {};
            fl.l_type = F_WRLCK;
            fl.l_whence = SEEK_SET;
            fl.l_start = off_t(offset);
            fl.l_len = 1;
            const char answer = fd >= 0 && fcntl(fd, F_OFD_SETLK, &fl) == 0 ? 'L' : 'F';
            char c = 0;
            if (write(m_toParent[1], &answer, 1) != 1 || read(m_toChild[0], &c, 1) != 1)
                _exit(2);
            _exit(0);
        }
        char c = 0;
        m_locked = read(m_toParent[0], &c, 1) == 1 && c == 'L';
    }
    ~LockHolder() { release(); }
    bool locked() const { return m_locked; }
    void release()
    {
        if (m_pid <= 0)
            return;
        [[maybe_unused]] ssize_t n = write(m_toChild[1], "x", 1);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        for (int fd : {m_toChild[0], m_toChild[1], m_toParent[0], m_toParent[1]})
            ::close(fd);
    }

private:
    int m_toChild[2] = {-1, -1};
    int m_toParent[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_locked = false;
};

} // namespace

TEST_F(AppFaults, AnotherProgramEditingTheCalculation)
{
    openNew("shared.kvor");
    set("KL_PRIM", QStringLiteral("mine"));
    const qint64 lockOffset = 0x40000000 + dm->taWork.headerLength();
    main->closeFile();
    const QByteArray before = bytes(userFile("shared.kvor"));

    // Another program has the record in edit: Open says so and converts nothing.
    LockHolder other(userFile("shared.kvor"), lockOffset);
    ASSERT_TRUE(other.locked());
    prompts.files.push_back(userFile("shared.kvor"));
    main->openFile();
    EXPECT_EQ(prompts.messages, QStringList{"Указанный расчет не может быть открыт !"});
    // (The mode rule run by the open step may say it first.)
    ASSERT_FALSE(errors.isEmpty());
    for (const QString &e : errors)
        EXPECT_EQ(e, "Record is locked by another user");
    EXPECT_FALSE(dm->taWork.active());
    EXPECT_EQ(bytes(userFile("shared.kvor")), before) << "not converted onto itself under the other program";
    EXPECT_EQ(main->windowTitle(), "Kvor");
    other.release();

    // Now this window edits it, and the other program is the one refused.
    errors.clear();
    prompts.messages.clear();
    prompts.files.push_back(userFile("shared.kvor"));
    main->openFile();
    ASSERT_TRUE(dm->taWork.active());
    set("KL_PRIM", QStringLiteral("mine, later"));
    LockHolder late(userFile("shared.kvor"), lockOffset);
    EXPECT_FALSE(late.locked()) << "the record is held while this window edits it";
    late.release();
    main->closeFile();
    EXPECT_EQ(stored(userFile("shared.kvor"), "KL_PRIM").toString(), "mine, later");
}

// ---------------------------------------------------------------- numbers at their limits

namespace {

class NumberLimits : public AppFaults {
protected:
    void SetUp() override
    {
        AppFaults::SetUp();
        m_locale = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        NumericEdit::setMessageSink([this](QWidget *, const QString &text) { messages << text; });
        openNew("limits.kvor");
        main->show();
        QApplication::setActiveWindow(main.get());
        QApplication::processEvents();
    }
    void TearDown() override
    {
        NumericEdit::setMessageSink(nullptr);
        QLocale::setDefault(m_locale);
        AppFaults::TearDown();
    }

    NumericEdit *edit(const char *name) const { return qobject_cast<NumericEdit *>(main->inputPanel()->widget(name)); }

    void reveal(QWidget *target)
    {
        auto *pages = qobject_cast<PageControl *>(main->inputPanel()->widget("Page95Control1"));
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(target))
                pages->setCurrentIndex(i);
        QApplication::processEvents();
    }

    // What the calculator hands over, past any MaxLength; then Esc, as the user
    // would after a refusal, so the next value starts afresh.
    void enter(NumericEdit *e, double v)
    {
        reveal(e);
        e->setEnabled(true);
        e->setFocus(Qt::TabFocusReason);
        emit e->calculator()->accepted(v);
        QApplication::processEvents();
        QTest::keyClick(e, Qt::Key_Escape);
        QApplication::processEvents();
        // Leaving runs the edit's own rule now, so what it says is this edit's.
        e->clearFocus();
        QApplication::processEvents();
    }

    QStringList messages;
    QLocale m_locale;
};

} // namespace

TEST_F(NumberLimits, EveryNumericEditAtItsBoundsAndBeyond)
{
    set("VN_FLAG", true); // the rate as typed, not recomputed by every run
    int ranged = 0, unranged = 0;
    for (const InputPanel::Binding &b : InputPanel::bindings()) {
        if (b.kind != InputPanel::Kind::Numeric)
            continue;
        NumericEdit *e = edit(b.object);
        ASSERT_NE(e, nullptr) << b.object;
        const char *name = b.field;
        SCOPED_TRACE(b.object);
        const DbfField *f = dm->taWork.fieldByName(QLatin1String(name));
        const double original = field(name).toDouble();
        errors.clear();
        messages.clear();

        if (b.minValue != b.maxValue) {
            ++ranged;
            // The bounds themselves are taken as they are.
            for (double v : {b.minValue, b.maxValue}) {
                enter(e, v);
                EXPECT_DOUBLE_EQ(field(name).toDouble(), v) << name;
            }
            // Beyond them: brought to the nearer bound, or refused with the message.
            for (double v : {b.minValue - 1, b.maxValue + 1, -1e12, 1e12}) {
                const double before = field(name).toDouble();
                enter(e, v);
                if (b.validated) {
                    EXPECT_DOUBLE_EQ(field(name).toDouble(), before) << name << " " << v;
                    ASSERT_FALSE(messages.isEmpty()) << name << " " << v;
                    EXPECT_EQ(messages.takeLast(), NumericEdit::rangeMessage(b.minValue, b.maxValue));
                } else {
                    EXPECT_DOUBLE_EQ(field(name).toDouble(), v < b.minValue ? b.minValue : b.maxValue) << name << " " << v;
                }
            }
            // A chamber at 900 °C is hotter than its walls: the balance stops and says why.
            errors.removeIf([](const QString &e) { return e.startsWith(QStringLiteral("Неможливо обчислити ")); });
            EXPECT_TRUE(errors.isEmpty()) << name << ": " << qPrintable(errors.join("; "));
            enter(e, original);
            continue;
        }

        // No range: the field's width is the limit. Its widest whole number goes
        // in; one more digit is refused by the table and the field keeps its value.
        ++unranged;
        const int whole = f->length() - 1 - (f->decimals() > 0 ? f->decimals() + 1 : 0);
        const double widest = std::pow(10.0, whole) - 1;
        enter(e, widest);
        EXPECT_DOUBLE_EQ(field(name).toDouble(), widest) << name;
        EXPECT_TRUE(errors.isEmpty()) << name << ": " << qPrintable(errors.join("; "));
        for (double v : {widest + 1, -1e15, 1e15}) {
            errors.clear();
            enter(e, v);
            ASSERT_EQ(errors.size(), 1) << name << " " << v;
            EXPECT_TRUE(errors.first().startsWith(QStringLiteral("Number too large to fit in field - %1 - ").arg(name)))
                << qPrintable(errors.first());
            EXPECT_DOUBLE_EQ(field(name).toDouble(), widest) << name << " " << v << ": the field is unchanged";
        }
        EXPECT_TRUE(messages.isEmpty());
        enter(e, original);
    }
    EXPECT_EQ(ranged, 5 + 18);
    EXPECT_GT(unranged, 20);

    // The record as left holds only values its fields can show, so the file reopens.
    main->closeFile();
    EXPECT_TRUE(opens(userFile("limits.kvor")));
}

TEST_F(NumberLimits, ProductsThatOverflowTheirFieldsLeaveThemUnchanged)
{
    // The full load: 9999 × 9999 m at 999 kg/m³ is more than TE_PMAS holds.
    set("OB_KAMDL", 9999);
    set("OB_KAMSH", 9999);
    set("IN_PLOTN", 999);
    const QVariant mass = field("TE_PMAS");
    errors.clear();
    auto *button = qobject_cast<QAbstractButton *>(main->inputPanel()->widget("BitBtn1"));
    ASSERT_NE(button, nullptr);
    reveal(button);
    button->click();
    QApplication::processEvents();
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.first().startsWith("Number too large to fit in field - TE_PMAS - ")) << qPrintable(errors.first());
    EXPECT_EQ(field("TE_PMAS"), mass);

    // A chamber so small that its computed air changes outgrow VN_KR: the run
    // says so and the stored rate stays.
    set("OB_KAMDL", 0.01);
    set("OB_KAMSH", 0.01);
    set("OB_KAMVS", 0.001);
    set("VN_FLAG", false);
    const double rate = field("VN_KR").toDouble();
    errors.clear();
    main->recalculate();
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.first().startsWith("Number too large to fit in field - VN_KR - ")) << qPrintable(errors.first());
    EXPECT_DOUBLE_EQ(field("VN_KR").toDouble(), rate);
    main->closeFile();
    EXPECT_TRUE(opens(userFile("limits.kvor")));
}

TEST_F(NumberLimits, AHighChamberStillReopens)
{
    // The chamber height has no range; the stacking height derived from it must
    // fit its own field, or the file could not be opened again.
    NumericEdit *height = edit("DBEdit40");
    reveal(height);
    height->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    height->selectAll();
    QTest::keyClicks(height, "5000");
    QTest::keyClick(height, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(field("OB_KAMVS").toDouble(), 5000.0);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_DOUBLE_EQ(field("IN_VSHTAB").toDouble(), 4999.5);
    main->closeFile();

    prompts.files.push_back(userFile("limits.kvor"));
    main->openFile();
    EXPECT_TRUE(prompts.messages.isEmpty()) << qPrintable(prompts.messages.join("; "));
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_DOUBLE_EQ(field("IN_VSHTAB").toDouble(), 4999.5);
}

TEST_F(NumberLimits, AChamberOfNoVolumeComputesWithoutAnError)
{
    set("OB_KAMDL", 0);
    set("OB_KAMSH", 0);
    set("OB_KAMVS", 0);
    errors.clear();
    main->recalculate();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_EQ(main->resultValue(1), 0.0);
    EXPECT_EQ(main->resultValue(2), 0.0);
    EXPECT_EQ(main->resultValue(6), 0.0);
    EXPECT_DOUBLE_EQ(field("ob_kamv").toDouble(), 0.0);
}

} // namespace kvor::test
