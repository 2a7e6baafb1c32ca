#pragma once

#include "document/Layout.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <vector>

namespace editor {

// A recovery copy that a session which did not end normally left behind.
struct RecoveredCopy {
    QString copyPath;     // the copy, a layout file in the recovery folder
    QString originalPath; // the layout's own file; empty for a layout never saved
    QDateTime written;
    // The layout's file name, or "Nouvel agencement" for one never saved.
    QString layoutName() const;
};

// The recovery copies of one running session of the program, in a folder shared by all
// sessions ($XDG_STATE_HOME/kestrion). While the session runs it holds a lock on a
// session file there; a copy whose session file is missing or no longer locked was left
// by a session that ended without quitting (a crash, a kill, a power cut). Each copy is
// a layout file named after its session and its layout ("SESSION_plan.kla", or
// "SESSION_Nouvel agencement.kla" for a layout never saved), beside a ".origine" file
// naming the layout's own file. Copies are written whole through the safe write.
class RecoveryCopies {
public:
    // Nothing is written until the first copy; an empty folder disables the copies.
    explicit RecoveryCopies(QString folder);
    // A normal end: the session's copy and its session file are removed.
    ~RecoveryCopies();
    RecoveryCopies(const RecoveryCopies&) = delete;
    RecoveryCopies& operator=(const RecoveryCopies&) = delete;

    // $XDG_STATE_HOME/kestrion, usually ~/.local/state/kestrion.
    static QString defaultFolder();

    // Writes the layout as this session's copy, replacing its previous one. False when
    // it could not be written (the previous copy then stays).
    bool write(const document::Layout& layout, const QLocale& locale);
    // Removes this session's copy (the layout was saved or closed on purpose).
    void discard();
    bool hasCopy() const { return !copyPath_.isEmpty(); }

    // The copies left by other sessions that did not end normally, oldest first.
    std::vector<RecoveredCopy> leftBehind() const;
    // Removes a copy left behind, and its session file once it has no copy left.
    void remove(const RecoveredCopy& copy) const;

private:
    bool startSession();

    QString folder_;
    QString session_;
    int sessionFile_ = -1; // open and locked while the session runs
    QString copyPath_;     // this session's copy; empty when there is none
};

} // namespace editor
