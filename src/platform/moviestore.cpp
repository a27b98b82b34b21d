// SPDX-License-Identifier: GPL-3.0-or-later
// The file is a JSON object of texts, written whole through QSaveFile, so a crash or a
// full disk leaves either the old file or the new one, never part of either.
#include "platform/moviestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>

namespace tarno {
namespace {

void report(const QString& line) {
    std::fprintf(stderr, "tarno-playroom: %s\n", qUtf8Printable(line));
}

// Why `bytes` is no store a movie wrote, or empty when it is one.
QString damage(const QByteArray& bytes, QJsonObject& values) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset);
    if (!document.isObject())
        return QStringLiteral("not a JSON object");
    values = document.object();
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (!it.value().isString())
            return QStringLiteral("the value of \"%1\" is not a text").arg(it.key());
    return {};
}

} // namespace

QString MovieStore::folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tarno-playroom/movies");
}

void MovieStore::open(const QString& movieFileName) {
    m_movie = movieFileName;
    m_path = folder() + QLatin1Char('/') + movieFileName + QStringLiteral(".json");
    m_values = {};
    m_writable = true;
    QFile file(m_path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_writable = false;
        report(QStringLiteral("cannot read what movie \"%1\" keeps in \"%2\": %3; it starts "
                              "with nothing kept and the file is left as it is")
                   .arg(m_movie, m_path, file.errorString()));
        return;
    }
    // Never read more than a store can hold: a larger file is damaged anyway.
    const QByteArray bytes = file.read(kMaxBytes + 1);
    file.close();
    QJsonObject values;
    QString why = bytes.size() > kMaxBytes ? QStringLiteral("larger than %1 bytes").arg(kMaxBytes)
                                           : damage(bytes, values);
    if (why.isEmpty()) {
        m_values = values;
        return;
    }
    const QString aside = m_path + QStringLiteral(".damaged");
    QFile::remove(aside);
    m_writable = QFile::rename(m_path, aside);
    report(QStringLiteral("what movie \"%1\" keeps in \"%2\" is damaged (%3); it starts with "
                          "nothing kept, %4")
               .arg(m_movie, m_path, why,
                    m_writable ? QStringLiteral("the damaged file is kept as \"%1\"").arg(aside)
                               : QStringLiteral("and the file is left as it is")));
}

QString MovieStore::value(const QString& key) const {
    return m_values.value(key).toString();
}

bool MovieStore::setValue(const QString& key, const QString& text) {
    if (m_path.isEmpty())
        return refuse(key, QStringLiteral("no movie is open"));
    if (!m_writable)
        return refuse(key, QStringLiteral("its file \"%1\" could not be read and is left as it is")
                               .arg(m_path));
    QJsonObject next = m_values;
    if (text.isEmpty())
        next.remove(key);
    else
        next.insert(key, text);
    if (next == m_values)
        return true;
    const QByteArray bytes = QJsonDocument(next).toJson(QJsonDocument::Compact);
    if (bytes.size() > kMaxBytes)
        return refuse(key, QStringLiteral("it would keep %1 bytes, more than %2")
                               .arg(bytes.size())
                               .arg(kMaxBytes));
    QDir().mkpath(folder());
    QSaveFile file(m_path);
    // Unbuffered: a buffered QSaveFile (Qt 6.4) loses a write error that happens while
    // it flushes on commit, and puts the cut-off file in place as if all were well.
    errno = 0;
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(bytes) == bytes.size();
    // A write cut short by a full disk leaves Qt's error unset; the system's is kept.
    const QString writeError = file.error() == QFileDevice::NoError && errno != 0
                                   ? qt_error_string(errno)
                                   : file.errorString();
    if (!written || !file.commit())
        return refuse(key, QStringLiteral("\"%1\" cannot be written: %2")
                               .arg(m_path, written ? file.errorString() : writeError));
    m_values = next;
    return true;
}

bool MovieStore::refuse(const QString& key, const QString& why) const {
    report(QStringLiteral("movie \"%1\" cannot keep \"%2\": %3").arg(m_movie, key, why));
    return false;
}

} // namespace tarno
