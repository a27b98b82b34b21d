// Small helpers shared by the movie tests: reading the movie's state.
#pragma once

#include "support/movierun.h"

#include <QQuickItem>
#include <QVariant>

namespace tarno {

// A field of a plain object property of the movie's root, such as game.score.
inline QVariant rootField(const MovieRun& run, const char* property, const char* field) {
    return run.root()->property(property).toMap().value(QString::fromLatin1(field));
}

} // namespace tarno
