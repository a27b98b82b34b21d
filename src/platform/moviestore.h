// SPDX-License-Identifier: GPL-3.0-or-later
// What a movie keeps between runs of the program: texts by key, one small file per
// movie file name under $XDG_DATA_HOME/tarno-playroom/movies/.
#pragma once

#include <QJsonObject>
#include <QString>

namespace tarno {

class MovieStore {
public:
    // The most a movie may keep: the size of its file in bytes.
    static constexpr qint64 kMaxBytes = 64 * 1024;

    // The folder that holds every movie's file.
    static QString folder();

    // Reads the file of the movie `movieFileName` ("tiles.swf"), once. A missing file
    // is an empty store. An unreadable or damaged one is an empty store too, with one
    // line on standard error; a damaged file is first kept aside as "<file>.damaged",
    // and an unreadable one is never written over.
    void open(const QString& movieFileName);

    // The text kept under `key`, or empty.
    QString value(const QString& key) const;
    // Keeps `text` under `key` and writes the file at once, atomically; the empty text
    // removes the key. Refused, with one line on standard error and nothing changed,
    // when the file would grow past kMaxBytes, when it cannot be written (a full disk)
    // or when no movie is open.
    bool setValue(const QString& key, const QString& text);

    // The file of the open movie, or empty.
    QString path() const { return m_path; }

private:
    bool refuse(const QString& key, const QString& why) const;

    QString m_movie;
    QString m_path;
    QJsonObject m_values;
    bool m_writable = false;
};

} // namespace tarno
