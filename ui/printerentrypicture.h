#pragma once

#include <QPixmap>
#include <QSize>

// "Entrada impresora": how an official slip goes into the printer, face up
// with its top edge first against the left guide, and what the X and Y of the
// calibration measure (from the slip's edges to the centre of cell 1).
namespace PrinterEntryPicture
{
    QPixmap render(QSize size);
}
