// Small helpers shared by the movie tests: reading the movie's state, a solve that
// never ends by itself.
#pragma once

#include "host/form2.h"
#include "solver/model/generate.h"
#include "support/movierun.h"

#include <QQuickItem>
#include <QVariant>

namespace tarno {

// A field of a plain object property of the movie's root, such as game.score.
inline QVariant rootField(const MovieRun& run, const char* property, const char* field) {
    return run.root()->property(property).toMap().value(QString::fromLatin1(field));
}

// The solver tests' request that runs far longer than any test; a test stops it. Stop
// it from a timer tied to run.window(), so that a solve ending early leaves none behind.
inline QString endlessRequest() {
    return QString::fromStdString(model::joinItems(model::endlessRequest()));
}

} // namespace tarno
