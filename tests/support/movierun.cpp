// SPDX-License-Identifier: GPL-3.0-or-later
// MovieRun: the program's game window with its real channel, and a watcher that
// answers the modal windows the channel opens.
#include "support/movierun.h"

#include "host/form2.h"
#include "host/gamechannel.h"
#include "platform/movieplayer.h"
#include "platform/qtext.h"
#include "scores/scorefile.h"
#include "shell/catalogue.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QJSValue>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QMessageBox>
#include <QQuickItem>
#include <QTest>

#include <gtest/gtest.h>


namespace tarno {

MovieRun::MovieRun(const QString& gameType) {
    open(gameType, QCoreApplication::applicationDirPath());
}

MovieRun::MovieRun(const QString& gameType, const QString& programDir) {
    open(gameType, programDir);
}

void MovieRun::open(const QString& gameType, const QString& programDir) {
    m_previousFolder = QDir::currentPath();
    QDir::setCurrent(m_folder.path());
    m_watcher.setInterval(5);
    QObject::connect(&m_watcher, &QTimer::timeout, [this] { answerOpenDialogs(); });
    m_watcher.start();

    std::optional<LaunchParameters> launch;
    for (const GameRow& row : playMenu())
        if (qtext(row.gameId) == gameType)
            launch = launchParametersFor(row.playIndex);
    if (!launch) {
        ADD_FAILURE() << "no catalogue row for " << gameType.toStdString();
        launch = LaunchParameters{"?gameType=" + gameType.toStdString(), "missing.swf", "?"};
    }
    Form2::setCommandBinder([this](Form2& window) {
        QObject::connect(&window, &Form2::commandReceived,
                         [this](const QString& command, const QString& args) {
                             m_commands << command + '|' + args;
                         });
        auto* bridge = window.player()->findChild<MovieBridge*>();
        QObject::connect(bridge, &MovieBridge::variableSet,
                         [this](const QString& name, const QString& value) {
                             if (name == QLatin1String("solver_solve"))
                                 m_answers << value;
                         });
        bindGameChannel(window);
    });
    m_window = std::make_unique<Form2>(*launch, programDir);
    Form2::setCommandBinder({});
    m_window->setWindowModality(Qt::ApplicationModal);
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        ADD_FAILURE() << "the game window was not shown";
}

MovieRun::~MovieRun() {
    if (m_window)
        m_window->close();
    m_window.reset();
    m_watcher.stop();
    QDir::setCurrent(m_previousFolder);
}

QQuickItem* MovieRun::root() const {
    return m_window ? m_window->player()->rootItem() : nullptr;
}

QString MovieRun::errorText() const {
    return m_window ? m_window->player()->errorText() : QString();
}

QVariant MovieRun::call(const char* function, const QVariantList& args) {
    if (!root()) {
        ADD_FAILURE() << "no movie plays: " << errorText().toStdString();
        return {};
    }
    if (args.size() > 10) {
        ADD_FAILURE() << "at most ten arguments";
        return {};
    }
    QGenericArgument a[10];
    for (qsizetype i = 0; i < args.size(); ++i)
        a[i] = Q_ARG(QVariant, args[i]);
    QVariant result;
    const bool called = QMetaObject::invokeMethod(root(), function, Qt::DirectConnection,
                                                  Q_RETURN_ARG(QVariant, result), a[0], a[1], a[2],
                                                  a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
    if (!called)
        ADD_FAILURE() << "the movie has no function " << function << " taking " << args.size()
                      << " arguments";
    return result;
}

QVariant MovieRun::evaluate(const QString& body) {
    if (!root()) {
        ADD_FAILURE() << "no movie plays: " << errorText().toStdString();
        return {};
    }
    // The root is `movie` too, for assignments to its own properties.
    QQmlContext context(qmlContext(root()));
    context.setContextProperty(QStringLiteral("movie"), root());
    QQmlExpression expression(&context, root(), "(function() { " + body + "\n})()");
    QVariant value = expression.evaluate();
    if (expression.hasError())
        ADD_FAILURE() << expression.error().toString().toStdString() << " in: "
                      << body.toStdString();
    if (value.userType() == qMetaTypeId<QJSValue>())
        value = value.value<QJSValue>().toVariant();
    return value;
}

bool MovieRun::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

void MovieRun::answerNamePrompt(const QString& name) {
    m_promptText = name;
}

void MovieRun::closeGameWindow() {
    if (m_window)
        m_window->close();
}

void MovieRun::answerOpenDialogs() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        if (auto* prompt = qobject_cast<QInputDialog*>(w);
            prompt && prompt->objectName() == QLatin1String("namePrompt")) {
            m_presets << prompt->textValue();
            if (m_promptText)
                prompt->setTextValue(*m_promptText);
            prompt->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
            box->accept();
        } else if (w->objectName() == QLatin1String("Form3")) {
            if (auto* dialog = qobject_cast<QDialog*>(w)) {
                ++m_hiScoreWindows;
                dialog->accept();
            }
        }
    }
}

std::vector<ScoreRecord> MovieRun::records() const {
    std::vector<ScoreRecord> out;
    const auto all = ScoreFile(QDir(folder()).filePath("scores.lst").toStdString()).readAll();
    if (all)
        for (const NumberedRecord& r : all.value())
            out.push_back(r.record);
    return out;
}

} // namespace tarno
