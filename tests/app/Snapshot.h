#pragma once

#include <QString>
#include <QWidget>

// Saves a picture of the widget when KESTRION_SNAPSHOT_DIR names a folder, to look at.
inline void snapshot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("KESTRION_SNAPSHOT_DIR");
    if (folder.isEmpty())
        return;
    if (!widget->isVisible())
        widget->adjustSize(); // a window never shown has no size of its own yet
    widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
