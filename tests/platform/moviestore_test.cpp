// SPDX-License-Identifier: GPL-3.0-or-later
// What a movie keeps, through the real player in runs of their own: movie by movie, and
// against files that are damaged, too large or cannot be written.
#include "platform/movieplayer.h"
#include "scores/scorefile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarno {
namespace {

const QString kMovies = QStringLiteral(TEST_MOVIES_DIR);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class MovieStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_home.isValid());
        m_oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_home.filePath("data").toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_oldData); }

    QString storeOf(const QString& movieFile) const {
        return m_home.filePath("data/tarno-playroom/movies/" + movieFile + ".json");
    }
    QString movie(const QString& movieFile) const {
        const QString path = m_home.filePath("modules/" + movieFile);
        QDir().mkpath(QFileInfo(path).path());
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(kMovies + "/keeper.qml", path));
        return path;
    }

    // One run of the program, in `workDir`, under prlimit(1) `limits`: what the movie
    // reported ("kept|best|name|lastName") and the program's lines on standard error.
    struct Run {
        QString report;
        QStringList errors;
    };
    Run runProgram(const QString& movieFile, const QString& query,
                   const QString& workDir = QString(), const QStringList& limits = {}) const {
        QProcess program;
        program.setProgram(QStringLiteral("prlimit"));
        program.setArguments(limits + QStringList{QStringLiteral(TARNO_PROBE),
                                                  QStringLiteral("movie"), movie(movieFile) + query});
        program.setWorkingDirectory(workDir.isEmpty() ? m_home.path() : workDir);
        program.start();
        EXPECT_TRUE(program.waitForFinished(30000));
        Run run;
        for (const QString& line : QString::fromUtf8(program.readAllStandardOutput()).split('\n'))
            if (line.startsWith("kept\t"))
                run.report = line.mid(5);
        for (const QString& line : QString::fromUtf8(program.readAllStandardError()).split('\n'))
            if (line.startsWith("tarno-playroom:"))
                run.errors << line;
        return run;
    }

    QTemporaryDir m_home;
    QByteArray m_oldData;
};

TEST_F(MovieStoreTest, KeptTextsSurviveRunsOfTheProgramAndLastNameComesFromTheScoreFile) {
    QTemporaryDir work;
    // No score file yet: no last name, and loading a movie does not create the file.
    EXPECT_EQ(runProgram("tiles.swf", "?key=best&value=83", work.path()).report, "true|83||");
    EXPECT_FALSE(QFile::exists(work.filePath("scores.lst")));

    ScoreFile scores(work.filePath("scores.lst").toStdString());
    ScoreRecord record;
    record.name = fitName("  Zoë Ann");
    ASSERT_TRUE(scores.AppendRecord(record));
    EXPECT_EQ(runProgram("tiles.swf", "?key=name&value=Ann", work.path()).report,
              "true|83|Ann|Zoë Ann");
    EXPECT_EQ(runProgram("tiles.swf", "?key=best&value=", work.path()).report, "true||Ann|Zoë Ann");
    const Run last = runProgram("tiles.swf", "", work.path());
    EXPECT_EQ(last.report, "||Ann|Zoë Ann");
    EXPECT_TRUE(last.errors.isEmpty()) << last.errors.join('\n').toStdString();
}

TEST_F(MovieStoreTest, MoviesDoNotSeeEachOthersKeys) {
    EXPECT_EQ(runProgram("tiles.swf", "?key=best&value=1").report, "true|1||");
    EXPECT_EQ(runProgram("fuego.swf", "?key=name&value=Eve").report, "true||Eve|");
    EXPECT_EQ(runProgram("tiles.swf", "").report, "|1||");
}

TEST_F(MovieStoreTest, AMovieKeepsAtMost64KiB) {
    // The file reads {"best":"<text>"}: 11 bytes around the text.
    const QString fits(MovieStore::kMaxBytes - 11, QLatin1Char('x'));
    EXPECT_EQ(runProgram("tiles.swf", "?key=best&value=" + fits).report, "true|" + fits + "||");
    EXPECT_EQ(QFileInfo(storeOf("tiles.swf")).size(), MovieStore::kMaxBytes);
    const QByteArray before = readAll(storeOf("tiles.swf"));
    for (const QString& query : {"?key=best&value=" + fits + "x", QStringLiteral("?key=name&value=A")}) {
        const Run refused = runProgram("tiles.swf", query);
        EXPECT_EQ(refused.report, "false|" + fits + "||");
        ASSERT_EQ(refused.errors.size(), 1) << refused.errors.join('\n').toStdString();
        EXPECT_TRUE(refused.errors[0].contains("more than 65536")) << refused.errors[0].toStdString();
    }
    EXPECT_EQ(readAll(storeOf("tiles.swf")), before);
    EXPECT_EQ(runProgram("tiles.swf", "?key=best&value=").report, "true|||"); // making room works
    EXPECT_EQ(runProgram("tiles.swf", "?key=name&value=A").report, "true||A|");
}

struct DamagedStore {
    const char* name;
    QByteArray bytes; // empty: the file's place is taken by a folder, which cannot be read
    bool keptAside;   // the damaged file is moved aside and the movie keeps again
};

class DamagedStoreTest : public MovieStoreTest,
                         public ::testing::WithParamInterface<DamagedStore> {};

TEST_P(DamagedStoreTest, IsAnEmptyStoreWithOneLineOnStandardError) {
    const DamagedStore& damaged = GetParam();
    const QString file = storeOf("tiles.swf");
    if (damaged.bytes.isEmpty())
        QDir().mkpath(file + "/inside");
    else
        writeAll(file, damaged.bytes);

    const Run run = runProgram("tiles.swf", "?key=name&value=Ann");
    ASSERT_EQ(run.errors.size(), damaged.keptAside ? 1 : 2) << run.errors.join('\n').toStdString();
    EXPECT_TRUE(run.errors.front().contains(file)) << run.errors.front().toStdString();
    if (damaged.keptAside) {
        EXPECT_EQ(run.report, "true||Ann|");
        EXPECT_EQ(readAll(file + ".damaged"), damaged.bytes);
        EXPECT_EQ(runProgram("tiles.swf", "").report, "||Ann|");
    } else {
        EXPECT_EQ(run.report, "false|||");
        EXPECT_TRUE(QFileInfo(file + "/inside").isDir()); // left as it was
    }
}

INSTANTIATE_TEST_SUITE_P(
    MovieStore, DamagedStoreTest,
    ::testing::Values(DamagedStore{"NotJson", "{\"best\":\"83\"", true},
                      DamagedStore{"NotAnObject", "[\"best\",\"83\"]", true},
                      DamagedStore{"ANumberForAText", "{\"best\":83}", true},
                      DamagedStore{"LargerThanAStore",
                                   "{\"best\":\"" +
                                       QByteArray(MovieStore::kMaxBytes, 'x') + "\"}",
                                   true},
                      DamagedStore{"Unreadable", {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MovieStoreTest, AWriteThatCannotBeDoneIsRefusedAndTheOldFileStays) {
    ASSERT_EQ(runProgram("tiles.swf", "?key=best&value=83").report, "true|83||");
    const QByteArray before = readAll(storeOf("tiles.swf"));

    // A full disk: the program may not make any file longer than 4 KiB.
    const Run full = runProgram("tiles.swf", "?key=name&value=" + QString(8000, 'x'), {},
                                {"--fsize=4096"});
    EXPECT_EQ(full.report, "false|83||");
    EXPECT_EQ(full.errors.size(), 1) << full.errors.join('\n').toStdString();
    EXPECT_EQ(readAll(storeOf("tiles.swf")), before);
    EXPECT_EQ(QDir(QFileInfo(storeOf("tiles.swf")).path()).entryList(QDir::Files),
              QStringList{"tiles.swf.json"}); // no half-written file left behind

    // A folder that cannot be made: its place is taken by a file.
    const QString blockedData = m_home.filePath("blocked");
    writeAll(blockedData + "/tarno-playroom", "not a folder");
    qputenv("XDG_DATA_HOME", blockedData.toLocal8Bit());
    const Run blocked = runProgram("fuego.swf", "?key=best&value=1");
    EXPECT_EQ(blocked.report, "false|||");
    EXPECT_EQ(blocked.errors.size(), 1) << blocked.errors.join('\n').toStdString();
}

} // namespace
} // namespace tarno
