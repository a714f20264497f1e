#pragma once

#include "store/fileops.h"
#include "store/outcome.h"

#include <QString>

class Session;
class UrlOpener;

// The commands that change a data file wholesale: importing a draw file,
// deleting all draws (with the optional reset of every syndicate's results),
// deleting one draw, deleting one syndicate. Each builds the complete new
// file first and renames it into place; the open record file is then opened
// again on the new file.
class Maintenance
{
public:
    // Files written through the Session's FileOps, or through files (a test's).
    Maintenance(Session &session, UrlOpener &browser);
    Maintenance(Session &session, FileOps &files, UrlOpener &browser);

    // chosenPath is what the open-file dialog gave; empty when cancelled. A
    // numeros.dat replaces the draw file (numeros.bak keeps the old one); the
    // results service's answer saved from a browser, or a CSV of draws, adds
    // its draws to those stored (DrawEntry, whose outcome this is then).
    Outcome importDraws(const QString &chosenPath);

    // Both questions are asked; draws and results go as answered. Declined
    // when both were answered No; a failed step leaves the files as they were.
    Outcome deleteAllDraws();

    // Clicking a draw of the list deletes it once "delete all" has been used,
    // or at once when the draw cannot be real (Session::implausibleDrawRecords).
    bool drawDeleteMode() const { return m_drawDeleteMode; }
    void setDrawDeleteMode(bool on) { m_drawDeleteMode = on; }
    // position 1 is the newest draw, as the list shows it. Unchanged, with
    // nothing to say, when not in delete mode or there is no such position.
    Outcome deleteDraw(int position);

    // The draw list's context menu, "Eliminar este sorteo": any draw, after
    // a question that names its date. position 1 is the newest.
    Outcome deleteNamedDraw(int position);

    // record is the syndicate selected in the list, 0 for none. Incomplete
    // when the peña went but its members' file could not be saved.
    Outcome deleteSyndicate(int record);

    static const QString kDrawWorkFile;
    static const QString kDrawBackup;

    // What "Borrar todos los sorteos" and the reset keep of the peñas and
    // their members before changing anything.
    static constexpr const char *kSyndicateBackup = "apuestas.bak";
    static constexpr const char *kMemberBackup = "socios.bak";

private:
    // apuestas.dat and socios.json copied to their .bak through the checked
    // write; the failed step when a copy could not be made.
    Outcome backUpSyndicates(Outcome::Command command);
    Outcome removeDraw(int position);
    // The complete new content goes to the named work file, which then
    // replaces target at once.
    FileOps::Result replaceThroughWorkFile(const QString &work, const QString &target, const QByteArray &bytes);

    Session &m_session;
    FileOps &m_files;
    UrlOpener &m_browser;
    bool m_drawDeleteMode = false;
};
