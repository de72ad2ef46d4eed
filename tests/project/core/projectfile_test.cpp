// The project file: relative paths, keys of later versions kept, a newer format refused.

#include "project/core/projectfile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kvor;

namespace {

QJsonObject readJson(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(f.readAll()).object();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(ProjectFileTest, RoundTripKeepsRelativePathsAndUnknownKeysAndSurvivesAMove)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath("store/rooms"));
    const QString first = dir.filePath("store/rooms/Камера 1.kvor");
    write(dir.filePath("store/project.kvorproj"),
          R"({"format":"kvor-project","version":1,"name":"Склад","client":"ТОВ «Холод»","address":"Київ",
              "drawing":{"sheet":3},
              "chambers":[{"file":"rooms/Камера 1.kvor","colour":"blue"},{"file":")"
              + QDir(dir.path()).filePath("elsewhere/dock.kvor").toUtf8() + R"("}]})");

    ProjectFile project = ProjectFile::load(dir.filePath("store/project.kvorproj"));
    EXPECT_EQ(project.name, "Склад");
    EXPECT_EQ(project.client, "ТОВ «Холод»");
    EXPECT_EQ(project.address, "Київ");
    ASSERT_EQ(project.chambers.size(), 2u);
    EXPECT_EQ(project.chambers[0].path, first);
    EXPECT_EQ(project.chambers[1].path, dir.filePath("elsewhere/dock.kvor")) << "absolute paths are accepted";
    EXPECT_EQ(project.indexOf(first), 0);

    project.save(dir.filePath("store/project.kvorproj"));
    const QJsonObject saved = readJson(dir.filePath("store/project.kvorproj"));
    EXPECT_EQ(saved["format"].toString(), "kvor-project");
    EXPECT_EQ(saved["version"].toInt(), 1);
    EXPECT_EQ(saved["drawing"].toObject()["sheet"].toInt(), 3) << "unknown top-level keys are kept";
    const QJsonArray chambers = saved["chambers"].toArray();
    ASSERT_EQ(chambers.size(), 2);
    EXPECT_EQ(chambers[0].toObject()["file"].toString(), "rooms/Камера 1.kvor");
    EXPECT_EQ(chambers[0].toObject()["colour"].toString(), "blue") << "unknown chamber keys are kept";
    EXPECT_EQ(chambers[1].toObject()["file"].toString(), "../elsewhere/dock.kvor") << "written relative";

    // The folder moves: the chambers move with it.
    ASSERT_TRUE(QDir().rename(dir.filePath("store"), dir.filePath("moved")));
    const ProjectFile moved = ProjectFile::load(dir.filePath("moved/project.kvorproj"));
    EXPECT_EQ(moved.chambers[0].path, dir.filePath("moved/rooms/Камера 1.kvor"));
}

TEST(ProjectFileTest, RefusesWhatIsNotAReadableProjectOfThisVersion)
{
    QTemporaryDir dir;
    const struct {
        const char *content;
        const char *expected; // part of the message
    } cases[] = {
        {R"({"format":"kvor-project","version":2,"chambers":[]})", "новішою версією"},
        {R"({"format":"kvor-project","version":1.5})", "не є файлом проєкту Kvor"},
        {R"({"format":"other","version":1})", "не є файлом проєкту Kvor"},
        {R"({"format":"kvor-project","version":1,"chambers":{}})", "не є файлом проєкту Kvor"},
        {R"({"format":"kvor-project","version":1,"chambers":[{"name":"x"}]})", "у камери немає файлу"},
        {"{\"format\":\"kvor-project\",", "не є файлом проєкту Kvor"},
        {"", "не є файлом проєкту Kvor"},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath("p.kvorproj");
        write(path, c.content);
        try {
            ProjectFile::load(path);
            ADD_FAILURE() << "accepted: " << c.content;
        } catch (const ProjectError &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.expected))) << e.message().toStdString();
        }
    }
    EXPECT_THROW(ProjectFile::load(dir.filePath("absent.kvorproj")), ProjectError);

    // A folder that is not there: a clear error, nothing written.
    ProjectFile project;
    try {
        project.save(dir.filePath("no/such/folder/p.kvorproj"));
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const ProjectError &e) {
        EXPECT_TRUE(e.message().startsWith("Не вдалося записати файл проєкту")) << e.message().toStdString();
    }
}
