#pragma once

#include "store/printcalibration.h"
#include "store/recordfile.h"

#include <QPointF>
#include <QString>

#include <optional>

// The printer offsets for official slips as the printing window edits them:
// two boxes of millimetres with a decimal comma, kept in record 1 of nums.ini
// on every change. The reserved fields of the record go back as they were read.
class CalibrationEditor
{
public:
    enum Box
    {
        X = 0,
        Y = 1
    };

    static inline const QString kBlankTitle = QStringLiteral("EHEHEHH");
    static inline const QString kBlankText = QStringLiteral("Te has dejado una coordenada en blanco. Introduce un número válido.");

    explicit CalibrationEditor(TypedRecordFile<PrintCalibration> &file);

    // Reads record 1 of nums.ini into the window's copy.
    void load();

    const PrintCalibration &calibration() const { return m_calibration; }
    // The offsets as printing uses them: (offsetX, offsetY).
    QPointF offsets() const;
    // What box shows for the stored value.
    QString text(Box box) const;

    // The text of box changed. A number is taken; anything else that is not
    // empty makes both boxes show the stored values again, and the result is
    // true. The record is written back in every case, so the file always
    // holds what the window holds.
    bool change(Box box, const QString &text);
    // The window's spin boxes: a value in millimetres, kept within
    // kLimitMm either way, written at once. False when nums.ini could not be
    // written (the window keeps the value).
    bool setOffset(Box box, double millimetres);
    static constexpr double kLimitMm = 50.0;

    // box lost the focus with text in it: true when it is blank, for the
    // front end to point out (kBlankTitle, kBlankText); nothing else happens.
    static bool leftBlank(const QString &text) { return text.isEmpty(); }

    // False when the last write to nums.ini failed; the window keeps the value.
    bool lastWriteSucceeded() const { return m_written; }

    // Millimetres as the Spanish boxes show and read them ("2,5").
    static QString format(float value);
    static std::optional<float> parse(const QString &text);

private:
    TypedRecordFile<PrintCalibration> &m_file;
    PrintCalibration m_calibration;
    bool m_written = true;
};
