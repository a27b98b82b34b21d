// SPDX-License-Identifier: GPL-3.0-or-later
// A network access manager that refuses every address that is not local.
#include "platform/localonlynetwork.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace tarno {
namespace {

bool isLocal(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("file") || scheme == QLatin1String("qrc") ||
           scheme == QLatin1String("data");
}

// Finished with an error before anyone reads it; the signals follow from the event loop,
// as they would for a real request.
class RefusedReply final : public QNetworkReply {
public:
    RefusedReply(QNetworkAccessManager::Operation operation, const QNetworkRequest& request,
                 QObject* parent)
        : QNetworkReply(parent) {
        setRequest(request);
        setUrl(request.url());
        setOperation(operation);
        open(QIODevice::ReadOnly);
        setError(QNetworkReply::ProtocolUnknownError,
                 QStringLiteral("Movies have no network access: %1")
                     .arg(request.url().toDisplayString()));
        setFinished(true);
        QTimer::singleShot(0, this, [this] {
            Q_EMIT errorOccurred(error());
            Q_EMIT finished();
        });
    }
    void abort() override {}
    qint64 bytesAvailable() const override { return 0; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
};

class LocalOnlyAccessManager final : public QNetworkAccessManager {
public:
    using QNetworkAccessManager::QNetworkAccessManager;

protected:
    QNetworkReply* createRequest(Operation operation, const QNetworkRequest& request,
                                 QIODevice* data) override {
        if (isLocal(request.url()))
            return QNetworkAccessManager::createRequest(operation, request, data);
        return new RefusedReply(operation, request, this);
    }
};

} // namespace

QNetworkAccessManager* LocalOnlyNetworkFactory::create(QObject* parent) {
    return new LocalOnlyAccessManager(parent);
}

LocalOnlyNetworkFactory& LocalOnlyNetworkFactory::instance() {
    static LocalOnlyNetworkFactory factory;
    return factory;
}

} // namespace tarno
