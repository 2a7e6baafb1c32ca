#include "output/OutputTarget.h"

#include "platform/SafeWrite.h"

namespace output {

QString refusalToOverwriteLayout(const QString& layoutPath, const QString& outputPath) {
    if (layoutPath.isEmpty() || !platform::isSameFile(layoutPath, outputPath))
        return {};
    return QStringLiteral("Le fichier à écrire est l'agencement lui-même :\n%1\n"
                          "Choisissez un autre nom pour ne pas le remplacer.")
        .arg(outputPath);
}

} // namespace output
