#pragma once

#include <QString>

#include <vector>

namespace kvor {

// Files written beside their final names and moved into place together, so a
// failure halfway leaves the previous tables untouched.
class StagedFiles {
public:
    // Creates the folder if needed; throws std::runtime_error when it cannot.
    explicit StagedFiles(const QString &folder);
    ~StagedFiles(); // removes whatever was not committed

    StagedFiles(const StagedFiles &) = delete;
    StagedFiles &operator=(const StagedFiles &) = delete;

    // The path to write `name` to.
    QString add(const QString &name);
    // Replaces every final file by its staged one; throws std::runtime_error.
    void commit();

private:
    QString m_folder;
    std::vector<QString> m_names;
};

} // namespace kvor
