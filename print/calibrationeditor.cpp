#include "calibrationeditor.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace
{
    QLocale spanish()
    {
        // "12.500" is not twelve thousand five hundred millimetres: a point
        // is refused rather than read as a thousands separator.
        QLocale locale(QLocale::Spanish, QLocale::Spain);
        locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        return locale;
    }

    // A record written by someone else may hold anything; a value that is
    // not a finite number moves nothing.
    float usable(float value)
    {
        return std::isfinite(value) ? value : 0.0f;
    }
}

CalibrationEditor::CalibrationEditor(TypedRecordFile<PrintCalibration> &file)
    : m_file(file)
{
}

void CalibrationEditor::load()
{
    m_calibration = m_file.get(1);
    m_calibration.offsetX = usable(m_calibration.offsetX);
    m_calibration.offsetY = usable(m_calibration.offsetY);
}

QPointF CalibrationEditor::offsets() const
{
    return {m_calibration.offsetX, m_calibration.offsetY};
}

QString CalibrationEditor::text(Box box) const
{
    return format(box == X ? m_calibration.offsetX : m_calibration.offsetY);
}

bool CalibrationEditor::change(Box box, const QString &text)
{
    bool restore = false;
    if (const auto value = parse(text))
        (box == X ? m_calibration.offsetX : m_calibration.offsetY) = *value;
    else
        restore = !text.isEmpty();
    m_written = m_file.put(1, m_calibration);
    return restore;
}

bool CalibrationEditor::setOffset(Box box, double millimetres)
{
    if (!std::isfinite(millimetres))
        return false;
    (box == X ? m_calibration.offsetX : m_calibration.offsetY) = float(std::clamp(millimetres, -kLimitMm, kLimitMm));
    m_written = m_file.put(1, m_calibration);
    return m_written;
}

QString CalibrationEditor::format(float value)
{
    // Single precision holds about seven digits; more would show noise.
    return spanish().toString(double(value), 'g', 7);
}

std::optional<float> CalibrationEditor::parse(const QString &text)
{
    bool ok = false;
    const float value = spanish().toFloat(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
