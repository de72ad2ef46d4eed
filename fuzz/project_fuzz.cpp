// libFuzzer target: arbitrary bytes as a project file. Loading either refuses
// with ProjectError or gives a project that saves and loads back the same.

#include "fuzzinput.h"
#include "project/core/projectfile.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kvor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    const QString path = dir.filePath(QStringLiteral("in.kvorproj"));
    const QString again = dir.filePath(QStringLiteral("out.kvorproj"));
    writeFile(path, data, size);
    ProjectFile project;
    try {
        project = ProjectFile::load(path);
    } catch (const ProjectError &) {
        return 0;
    }
    try {
        project.save(again);
        const ProjectFile reloaded = ProjectFile::load(again);
        if (reloaded.name != project.name || reloaded.client != project.client || reloaded.address != project.address
            || reloaded.extra != project.extra || reloaded.chambers.size() != project.chambers.size())
            std::abort();
        for (size_t i = 0; i < project.chambers.size(); ++i)
            if (reloaded.chambers[i].path != project.chambers[i].path
                || reloaded.chambers[i].extra != project.chambers[i].extra)
                std::abort();
    } catch (const ProjectError &) {
        std::abort(); // what was read must write and read back
    }
    return 0;
}
