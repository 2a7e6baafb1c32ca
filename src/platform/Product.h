#pragma once

#include <QString>

namespace platform {

// The product's web site: the host name (stamp, About box caption) and the full address.
inline const QString kSiteHost = QStringLiteral("www.kestrion.fr");
inline const QString kSiteUrl = QStringLiteral("https://www.kestrion.fr/");
inline const QString kAuthor = QStringLiteral("Maëlle Kerjean");
inline const QString kContributors =
    QStringLiteral("Yann Le Goff, Sophie Marchal, Thibault Renaud, Inès Lacombe, Paul Ferrand");

} // namespace platform
