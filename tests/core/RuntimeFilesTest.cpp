// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RuntimeFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An install tree in a temporary folder: prefix/bin for the executable, prefix/share/gloamery
// for the installed data.
struct Tree {
    QTemporaryDir prefix;
    QString bin() const { return prefix.filePath(QStringLiteral("bin")); }
    QString data() const { return prefix.filePath(QStringLiteral("share/gloamery")); }
    void add(const QString& folder, const QString& relativePath, bool asFolder) const {
        const QString path = QDir(folder).filePath(relativePath);
        if (asFolder) {
            ASSERT_TRUE(QDir().mkpath(path));
            return;
        }
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
};

enum class Where { Bin, Data };

TEST(RuntimeFiles, BesideTheExecutableFirstThenTheInstalledDataFolder) {
    const struct {
        const char* name;
        const char* path;
        bool asFolder;
        bool inBin;
        bool inData;
        Where found;
    } cases[] = {
        {"a build folder", "Res/Img", true, true, false, Where::Bin},
        {"an install", "Res/Img", true, false, true, Where::Data},
        {"both: the executable's folder wins", "Res/Snd", true, true, true, Where::Bin},
        {"a file in the install", "Help_e.txt", false, false, true, Where::Data},
        {"a file beside the executable", "Help_r.txt", false, true, true, Where::Bin},
        {"nowhere: named beside the executable", "Res/Snd", true, false, false, Where::Bin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tree tree;
        ASSERT_TRUE(QDir().mkpath(tree.bin()));
        const QString path = QLatin1String(c.path);
        if (c.inBin)
            tree.add(tree.bin(), path, c.asFolder);
        if (c.inData)
            tree.add(tree.data(), path, c.asFolder);
        const QString expected =
            QDir(c.found == Where::Bin ? tree.bin() : tree.data()).filePath(path);
        EXPECT_EQ(RuntimeFiles::locate(path, tree.bin()), expected);
    }
}

TEST(RuntimeFiles, TheSearchedFoldersAreCleanAbsolutePaths) {
    const struct {
        QString programDir;
        QStringList folders;
    } cases[] = {
        {QStringLiteral("/usr/bin"), {"/usr/bin", "/usr/share/gloamery"}},
        {QStringLiteral("/opt/x/bin/"), {"/opt/x/bin", "/opt/x/share/gloamery"}},
        {QStringLiteral("/opt/x/bin/../bin"), {"/opt/x/bin", "/opt/x/share/gloamery"}},
        {QStringLiteral("/bin"), {"/bin", "/share/gloamery"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.programDir.toStdString());
        EXPECT_EQ(RuntimeFiles::folders(c.programDir), c.folders);
    }
    // A relative folder is taken from the current directory.
    EXPECT_EQ(RuntimeFiles::folders(QStringLiteral("bin")).front(),
              QDir::current().absoluteFilePath(QStringLiteral("bin")));
}

} // namespace
