// SPDX-License-Identifier: GPL-3.0-or-later
// Movies get no network: every request a movie's engine makes for anything but a local
// file or a resource fails at once.
#pragma once

#include <QQmlNetworkAccessManagerFactory>

namespace tarno {

// For QQmlEngine::setNetworkAccessManagerFactory. file:, qrc: and data: addresses are
// served as usual; any other (http, https, ftp, ...) gets a reply that has already
// failed, so XMLHttpRequest, an Image's source and a remote import all end in an error
// without a connection ever being opened.
class LocalOnlyNetworkFactory final : public QQmlNetworkAccessManagerFactory {
public:
    QNetworkAccessManager* create(QObject* parent) override;

    // The one instance every player's engine uses; it lives as long as the program.
    static LocalOnlyNetworkFactory& instance();
};

} // namespace tarno
