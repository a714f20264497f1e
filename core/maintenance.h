#pragma once

#include "store/fileops.h"

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
    Maintenance(Session &session, FileOps &files, UrlOpener &browser);

    // chosenPath is what the open-file dialog gave; empty when cancelled. A
    // numeros.dat replaces the draw file (numeros.bak keeps the old one); the
    // results service's answer saved from a browser, or a CSV of draws, adds
    // its draws to those stored (DrawEntry). True when done.
    bool importDraws(const QString &chosenPath);

    // Both questions are asked; draws and results go as answered. False when
    // a step failed (the files stay as they were, and the user was told).
    bool deleteAllDraws();

    // Clicking a draw of the list deletes it once "delete all" has been used,
    // or at once when the draw cannot be real (Session::implausibleDrawRecords).
    bool drawDeleteMode() const { return m_drawDeleteMode; }
    void setDrawDeleteMode(bool on) { m_drawDeleteMode = on; }
    // position 1 is the newest draw, as the list shows it. False when nothing
    // was deleted (not in delete mode, no such position, the answer was No,
    // or a step failed).
    bool deleteDraw(int position);

    // The draw list's context menu, "Eliminar este sorteo": any draw, after
    // a question that names its date. position 1 is the newest.
    bool deleteNamedDraw(int position);

    // record is the syndicate selected in the list, 0 for none. True when it
    // was deleted.
    bool deleteSyndicate(int record);

    // "Error de permiso" for path: what it is, why, and what to do here.
    void showPermissionError(const QString &path);

    static const QString kDrawWorkFile;
    static const QString kDrawBackup;

    // What "Borrar todos los sorteos" and the reset keep of the peñas and
    // their members before changing anything.
    static constexpr const char *kSyndicateBackup = "apuestas.bak";
    static constexpr const char *kMemberBackup = "socios.bak";

private:
    // apuestas.dat and socios.json copied to their .bak through the checked
    // write; false (after a message) when a copy could not be made.
    bool backUpSyndicates();
    bool removeDraw(int position);
    // The complete new content goes to the named work file, which then
    // replaces target at once.
    FileOps::Result replaceThroughWorkFile(const QString &work, const QString &target, const QByteArray &bytes);
    // True on failure, after the permission message when that was the
    // cause, or a message naming path and the cause otherwise.
    bool reportFailure(FileOps::Result result, const QString &path);

    Session &m_session;
    FileOps &m_files;
    UrlOpener &m_browser;
    bool m_drawDeleteMode = false;
};
