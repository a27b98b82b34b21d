// SPDX-License-Identifier: GPL-3.0-or-later
// Movies are QML documents created in the player's own engine. The player owns the
// movie's root item and scales it uniformly to fit, centred ("show all").
#include "platform/movieplayer.h"

#include "platform/moviesource.h"
#include "scores/scorefile.h"
#include "platform/localonlynetwork.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QStackedLayout>

#include <algorithm>

namespace tarno {
namespace {

// Flash files start with one of these signatures; they are not movies this player reads.
bool looksLikeFlash(const QByteArray& head) {
    return head.startsWith("FWS") || head.startsWith("CWS") || head.startsWith("ZWS");
}

bool looksBinary(const QByteArray& head) {
    return head.contains('\0');
}

constexpr qreal kSeamlessTurn = 0.0001; // degrees

} // namespace

void configureMoviePlayback() {
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void MovieBridge::fscommand(const QString& command, const QString& args) {
    Q_EMIT this->command(command, args);
}

QString MovieBridge::variable(const QString& name) const {
    return m_variables.value(name);
}

namespace {
// Shared by every player of the process: it lives exactly as long as the program.
QHash<QString, QString>& remembered() {
    static QHash<QString, QString> values;
    return values;
}
} // namespace

void MovieBridge::remember(const QString& key, const QString& value) {
    remembered().insert(key, value);
}

QString MovieBridge::recall(const QString& key) const {
    return remembered().value(key);
}

bool MovieBridge::store(const QString& key, const QString& value) {
    return m_store.setValue(key, value);
}

QString MovieBridge::stored(const QString& key) const {
    return m_store.value(key);
}

void MovieBridge::loadFor(const QString& movieFileName) {
    m_store.open(movieFileName);
    // Only a file that exists is read: loading a movie never creates the score file.
    const ScoreFile scores;
    const QString name = QFileInfo::exists(QString::fromStdString(scores.path()))
                             ? QString::fromStdString(lastRecordedName(scores))
                             : QString();
    if (name != m_lastName) {
        m_lastName = name;
        Q_EMIT lastNameChanged();
    }
}

void MovieBridge::setVariable(const QString& name, const QString& value) {
    m_variables.insert(name, value);
}

void MovieBridge::setActive(bool active) {
    if (m_active == active)
        return;
    m_active = active;
    Q_EMIT activeChanged();
}

// Sound reaches the speakers through a PulseAudio server (PipeWire offers the same
// socket); without one the movies' sound effects could only print warnings.
bool MovieBridge::soundOutput() const {
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))) ||
           QFileInfo::exists(QStringLiteral("/run/pulse/native"));
}

MoviePlayer::MoviePlayer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("sw1"));
    setContextMenuPolicy(Qt::NoContextMenu); // the player offers no menu of its own
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_view = new QQuickWidget(this);
    m_view->setObjectName(QStringLiteral("stage"));
    m_view->setClearColor(Qt::black);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("movieMessage"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setMargin(24);
    m_stack->addWidget(m_view);
    m_stack->addWidget(m_message);

    m_view->engine()->setNetworkAccessManagerFactory(&LocalOnlyNetworkFactory::instance());
    m_bridge = new MovieBridge(m_view);
    m_view->engine()->rootContext()->setContextProperty(QStringLiteral("player"), m_bridge);
    connect(m_bridge, &MovieBridge::command, this, &MoviePlayer::FSCommand);
    connect(
        m_view->quickWindow(), &QQuickWindow::afterRendering, this,
        [this] {
            if (m_root && !m_frameSeen) {
                m_frameSeen = true;
                Q_EMIT firstFrameShown();
            }
        },
        Qt::QueuedConnection);
}

MoviePlayer::~MoviePlayer() {
    unload();
    // Items a movie's repeaters gave up are deleted later, and their animations play on
    // until then; an animation that ticks after the engine is gone crashes. So the view,
    // its engine and the bridge go later too, after them.
    m_view->hide();
    m_view->setParent(nullptr);
    m_view->deleteLater();
}

void MoviePlayer::unload() {
    delete m_root;
    m_root = nullptr;
    m_error.clear();
    m_frameSeen = false;
    m_closingAnnounced = false;
}

bool MoviePlayer::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        m_bridge->setActive(event->type() == QEvent::WindowActivate);
    return QWidget::event(event);
}

void MoviePlayer::announceClosing() {
    if (!m_root || m_closingAnnounced)
        return;
    m_closingAnnounced = true;
    Q_EMIT m_bridge->closing();
}

void MoviePlayer::fail(const QString& file, const QString& reason) {
    m_error = reason;
    m_message->setText(tr("The movie “%1” cannot be played.\n\n%2").arg(file, reason));
    m_stack->setCurrentWidget(m_message);
}

void MoviePlayer::setMovie(const QString& pathWithQuery) {
    unload();
    m_movie = pathWithQuery;
    m_bridge->clearVariables();
    const MovieSource source = splitMoviePath(pathWithQuery.toStdString());
    const QString file = QString::fromStdString(source.file);
    for (const auto& [key, value] : source.variables)
        m_bridge->setVariable(QString::fromStdString(key), QString::fromStdString(value));

    QFile in(file);
    m_bridge->loadFor(QFileInfo(file).fileName());
    if (!QFileInfo(file).isFile()) {
        fail(file, tr("The file does not exist."));
        return;
    }
    if (!in.open(QIODevice::ReadOnly)) {
        fail(file, tr("The file cannot be read: %1.").arg(in.errorString()));
        return;
    }
    const QByteArray document = in.readAll();
    if (looksLikeFlash(document.left(3))) {
        fail(file, tr("It is a Flash file; this player plays Qt Quick movies only."));
        return;
    }
    if (looksBinary(document.left(4096))) {
        fail(file, tr("It is not a Qt Quick document."));
        return;
    }

    QQmlEngine* engine = m_view->engine();
    QQmlComponent component(engine);
    component.setData(document, QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    if (component.isError()) {
        fail(file, component.errorString().trimmed());
        return;
    }
    if (component.isLoading()) { // only a part from the network would still be on its way
        fail(file, tr("It needs parts from the network, and movies have no network access."));
        return;
    }
    QObject* object = component.beginCreate(engine->rootContext());
    if (!object) {
        fail(file, component.errorString().trimmed());
        return;
    }
    // Variables of the query reach the movie's own properties before it starts.
    const QMetaObject* meta = object->metaObject();
    for (const auto& [key, value] : source.variables) {
        const QByteArray name = QByteArray::fromStdString(key);
        if (meta->indexOfProperty(name.constData()) >= 0)
            object->setProperty(name.constData(), QString::fromStdString(value));
    }
    // An answer to a command the movie sends while it is being completed reaches it too.
    m_creating = object;
    component.completeCreate();
    m_creating = nullptr;
    auto* item = qobject_cast<QQuickItem*>(object);
    if (!item) {
        delete object;
        fail(file, tr("Its root element is not a visual item."));
        return;
    }
    m_root = item;
    item->setParentItem(m_view->quickWindow()->contentItem());
    item->setTransformOrigin(QQuickItem::TopLeft);
    m_stack->setCurrentWidget(m_view);
    fitToView();
}

void MoviePlayer::Play() {
    m_bridge->setActive(isActiveWindow());
    if (m_root)
        m_view->show();
}

void MoviePlayer::SetVariable(const QString& name, const QString& value) {
    m_bridge->setVariable(name, value);
    if (QObject* movie = m_root ? m_root : m_creating.data()) {
        const QByteArray key = name.toUtf8();
        if (movie->metaObject()->indexOfProperty(key.constData()) >= 0)
            movie->setProperty(key.constData(), value);
    }
    Q_EMIT m_bridge->variableSet(name, value);
}

void MoviePlayer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitToView();
}

void MoviePlayer::fitToView() {
    if (!m_root)
        return;
    const QSizeF view = size(); // the stage fills the player
    const QSizeF own(m_root->width() > 0 ? m_root->width() : m_root->implicitWidth(),
                     m_root->height() > 0 ? m_root->height() : m_root->implicitHeight());
    if (own.isEmpty()) {
        // A movie without a size of its own fills the view.
        m_root->setSize(view);
        return;
    }
    const qreal scale = std::min(view.width() / own.width(), view.height() / own.height());
    m_root->setScale(scale);
    // Qt Quick's software renderer draws a rounded rectangle from corner pictures and
    // fills; scaled by a fraction they leave hairline seams. Under any rotation it
    // draws each rectangle as one picture instead. A turn of a ten-thousandth of a
    // degree, far below a pixel anywhere on the stage, selects that way.
    const bool software =
        m_view->quickWindow()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
    m_root->setRotation(software && scale != 1 ? kSeamlessTurn : 0);
    m_root->setPosition(
        {(view.width() - own.width() * scale) / 2, (view.height() - own.height() * scale) / 2});
}

} // namespace tarno
