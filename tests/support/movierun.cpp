// SPDX-License-Identifier: GPL-3.0-or-later
// MovieRun: the game window with its real channel, and a watcher of its modal windows.
#include "support/movierun.h"

#include "host/form2.h"
#include "host/gamechannel.h"
#include "host/launch.h"
#include "platform/movieplayer.h"
#include "scores/scorefile.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QJSValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QMessageBox>
#include <QQuickItem>
#include <QTest>

#include <gtest/gtest.h>

namespace tarno {

MovieRun::MovieRun(const QString& gameType, const QString& programDir) {
    m_previousFolder = QDir::currentPath();
    QDir::setCurrent(m_folder.path());
    m_watcher.setInterval(5);
    QObject::connect(&m_watcher, &QTimer::timeout, [this] { answerOpenDialogs(); });
    m_watcher.start();

    const std::optional<int> index = playIndexOf(gameType.toStdString());
    std::optional<LaunchParameters> launch = index ? launchParametersFor(*index) : std::nullopt;
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
    m_window = std::make_unique<Form2>(
        *launch, programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir);
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
    const QByteArray list = QJsonDocument(QJsonArray::fromVariantList(args)).toJson(QJsonDocument::Compact);
    return evaluate(QStringLiteral("return %1(...%2);").arg(function, QString::fromUtf8(list)));
}

QVariant MovieRun::evaluate(const QString& body) {
    if (!root()) {
        ADD_FAILURE() << "no movie plays: " << errorText().toStdString();
        return {};
    }
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
    const auto all = ScoreFile(m_folder.filePath("scores.lst").toStdString()).readAll();
    if (all)
        for (const NumberedRecord& r : all.value())
            out.push_back(r.record);
    return out;
}

} // namespace tarno
