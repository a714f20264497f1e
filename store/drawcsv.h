#pragma once

#include "drawrecord.h"

#include <QByteArray>

#include <optional>
#include <vector>

// Draw history as published: "date,n1,n2,n3,n4,n5,clave" lines, oldest first,
// a header line allowed. The numbers are stored ascending, as numeros.dat
// keeps them. Nothing when any line is malformed.
std::optional<std::vector<DrawRecord>> parseDrawCsv(QByteArrayView text);
